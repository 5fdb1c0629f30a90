#include "platform_mac/MacStatusBar.h"

#include "platform_mac/AppleStrings.h"
#include "platform_mac/MacStatusItem.h"
#include "platform_mac/MainThread.h"
#include "platform_mac/RememberedPosition.h"

#import <AppKit/AppKit.h>
#include <algorithm>

namespace corvel::mac {

MacStatusBar::MacStatusBar(std::shared_ptr<FirstUseLog> notes) : notes_(std::move(notes)) {}

MacStatusBar::~MacStatusBar() = default;

std::shared_ptr<platform::StatusItem> MacStatusBar::statusItem(double length) {
    requireMainThread("NSStatusBar statusItemWithLength:");
    NSStatusItem* made = [[NSStatusBar systemStatusBar] statusItemWithLength:length];
    auto item = std::make_shared<MacStatusItem>(made, notes_);
    items_.push_back(item);
    return item;
}

void MacStatusBar::removeStatusItem(const std::shared_ptr<platform::StatusItem>& item) {
    requireMainThread("NSStatusBar removeStatusItem:");
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const auto& held) { return held.get() == item.get(); });
    // AppKit's answer to removing an item twice is unknown; it never sees
    // a second removal.
    if (found == items_.end())
        return;
    const auto removed = *found;
    items_.erase(found);
    [[NSStatusBar systemStatusBar] removeStatusItem:removed->nsItem()];
}

void MacStatusBar::forgetRememberedPosition(const std::string& autosaveName) {
    NSUserDefaults* defaults = [NSUserDefaults standardUserDefaults];
    NSString* key = nsString(RememberedPosition::key(autosaveName));
    id value = [defaults objectForKey:key];
    std::optional<std::string> removed;
    if (value) {
        removed = stdString([value description]);
        [defaults removeObjectForKey:key];
    }
    notes_->log().write(RememberedPosition::logLine(autosaveName, removed));
}

} // namespace corvel::mac
