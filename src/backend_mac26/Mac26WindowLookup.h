#pragma once

#include "backend/BackendItemToken.h"
#include "backend_mac26/Mac26ResolvedWindow.h"
#include "backend_mac26/MenuBarWindowInfo.h"
#include "backend_mac26/MenuBarWindowList.h"

#include <optional>
#include <vector>

namespace corvel {

/// Finds the live window behind a token by searching the list; tokens have
/// no reverse mapping.
class Mac26WindowLookup {
  public:
    /// Reads the status layer once and searches it.
    static std::optional<Mac26ResolvedWindow> resolve(const MenuBarWindowList& windowList,
                                                      const BackendItemToken& token);
    /// Pure: the first window with this token that has bounds; a matching
    /// window without bounds is passed over.
    static std::optional<Mac26ResolvedWindow> find(const std::vector<MenuBarWindowInfo>& windows,
                                                   const BackendItemToken& token);
};

} // namespace corvel
