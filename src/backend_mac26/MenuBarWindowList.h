#pragma once

#include "backend_mac26/MenuBarWindowInfo.h"
#include "platform/WindowList.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace corvel {

/// Reads the window server's list through the window-list port. Cheap to
/// copy (copies share the port) and safe from any thread.
class MenuBarWindowList {
  public:
    /// Every menu bar read uses this layer; only press supervision reads the
    /// pop-up menu layer.
    static constexpr std::int64_t statusWindowLayer = platform::WindowList::statusItemLayer;

    explicit MenuBarWindowList(std::shared_ptr<const platform::WindowList> port);

    /// One synchronous read, in the list's own order (front to back). A read
    /// that fails gives an empty list.
    std::vector<MenuBarWindowInfo> windows(std::int64_t layer) const;
    std::vector<MenuBarWindowInfo> layer25Windows() const;

  private:
    std::shared_ptr<const platform::WindowList> port_;
};

} // namespace corvel
