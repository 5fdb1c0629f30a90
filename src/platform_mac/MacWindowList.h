#pragma once

#include "platform/WindowList.h"
#include "platform_mac/FirstUseLog.h"

#include <memory>
#include <mutex>

namespace corvel::mac {

/// The window list from the window server (CGWindowListCopyWindowInfo).
/// Thread-safe; the backend's poll calls it several times a second.
class MacWindowList final : public platform::WindowList {
  public:
    explicit MacWindowList(std::shared_ptr<FirstUseLog> notes);

    std::optional<platform::PlatformValue>
    copyWindowInfo(std::uint32_t option, std::uint32_t relativeToWindow) const override;

  private:
    void checkKeyTexts() const;

    std::shared_ptr<FirstUseLog> notes_;
    mutable std::once_flag keyTextsChecked_;
};

} // namespace corvel::mac
