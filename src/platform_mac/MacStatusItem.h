#pragma once

#include "platform/StatusItem.h"
#include "platform_mac/FirstUseLog.h"
#include "platform_mac/MacMenu.h"
#include "platform_mac/MacStatusBarButton.h"

#import <AppKit/AppKit.h>
#include <memory>

namespace corvel::mac {

/// One NSStatusItem, held strongly: AppKit's status bar does not retain its
/// items, and one that is released leaves the bar. The status bar binding
/// keeps every item it made until it is removed. Main thread only.
class MacStatusItem final : public platform::StatusItem {
  public:
    MacStatusItem(NSStatusItem* item, std::shared_ptr<FirstUseLog> notes);

    NSStatusItem* nsItem() const { return item_; }

    double length() const override;
    void setLength(double length) override;
    std::string autosaveName() const override;
    void setAutosaveName(std::string name) override;
    std::shared_ptr<platform::Menu> menu() const override;
    void setMenu(std::shared_ptr<platform::Menu> menu) override;
    platform::StatusBarButton& button() override { return button_; }

  private:
    NSStatusItem* item_;
    MacStatusBarButton button_;
    std::shared_ptr<platform::Menu> menu_;
    /// The item's menu's delegate, which AppKit holds weakly.
    CorvelMenuBridge* menuBridge_ = nil;
};

} // namespace corvel::mac
