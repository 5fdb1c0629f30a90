#include "platform_mac/MacStatusItem.h"

#include "platform_mac/AppleStrings.h"
#include "platform_mac/MainThread.h"

namespace corvel::mac {

MacStatusItem::MacStatusItem(NSStatusItem* item, std::shared_ptr<FirstUseLog> notes)
    : item_(item), button_(item.button, std::move(notes)) {}

double MacStatusItem::length() const {
    requireMainThread("NSStatusItem length");
    return item_.length;
}

void MacStatusItem::setLength(double length) {
    requireMainThread("NSStatusItem setLength:");
    item_.length = length;
}

std::string MacStatusItem::autosaveName() const {
    requireMainThread("NSStatusItem autosaveName");
    return stdString(item_.autosaveName);
}

void MacStatusItem::setAutosaveName(std::string name) {
    requireMainThread("NSStatusItem setAutosaveName:");
    item_.autosaveName = nsString(name);
}

std::shared_ptr<platform::Menu> MacStatusItem::menu() const {
    requireMainThread("NSStatusItem menu");
    return menu_;
}

void MacStatusItem::setMenu(std::shared_ptr<platform::Menu> menu) {
    requireMainThread("NSStatusItem setMenu:");
    menuBridge_ = menu ? [[CorvelMenuBridge alloc] initWithMenu:menu] : nil;
    item_.menu = menuBridge_.nsMenu;
    menu_ = std::move(menu);
}

} // namespace corvel::mac
