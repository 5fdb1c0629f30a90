#pragma once

#include "platform/StatusBar.h"
#include "platform_mac/FirstUseLog.h"

#include <memory>
#include <vector>

namespace corvel::mac {

class MacStatusItem;

/// The system status bar (NSStatusBar) and the application's remembered
/// item positions in its defaults. Main thread only.
class MacStatusBar final : public platform::StatusBar {
  public:
    explicit MacStatusBar(std::shared_ptr<FirstUseLog> notes);
    ~MacStatusBar() override;

    std::shared_ptr<platform::StatusItem> statusItem(double length) override;
    void removeStatusItem(const std::shared_ptr<platform::StatusItem>& item) override;
    void forgetRememberedPosition(const std::string& autosaveName) override;

  private:
    std::shared_ptr<FirstUseLog> notes_;
    /// Every item made and not yet removed.
    std::vector<std::shared_ptr<MacStatusItem>> items_;
};

} // namespace corvel::mac
