#include "platform_mac/MacMenu.h"

#include "platform_mac/AppleStrings.h"
#include "platform_mac/MainThread.h"
#include "platform_mac/ModifierConversion.h"

@implementation CorvelMenuBridge {
    std::shared_ptr<corvel::platform::Menu> _menu;
    NSMutableArray<CorvelMenuBridge*>* _submenus;
}

- (instancetype)initWithMenu:(std::shared_ptr<corvel::platform::Menu>)menu {
    corvel::mac::requireMainThread("NSMenu initWithTitle:");
    if ((self = [super init])) {
        _menu = std::move(menu);
        _submenus = [NSMutableArray array];
        _nsMenu = [[NSMenu alloc] initWithTitle:@""];
        // Without this AppKit decides which items are enabled and ignores
        // the menu's own word.
        _nsMenu.autoenablesItems = NO;
        _nsMenu.delegate = self;
        [self show:_menu->items()];
    }
    return self;
}

- (void)menuNeedsUpdate:(NSMenu*)menu {
    (void)menu;
    [self show:_menu->prepareToOpen()];
}

- (void)show:(const std::vector<corvel::platform::MenuItem>&)items {
    using corvel::mac::nsString;
    [_nsMenu removeAllItems];
    [_submenus removeAllObjects];
    for (std::size_t index = 0; index < items.size(); ++index) {
        const auto& item = items[index];
        if (item.isSeparator) {
            [_nsMenu addItem:[NSMenuItem separatorItem]];
            continue;
        }
        NSMenuItem* shown =
            [[NSMenuItem alloc] initWithTitle:nsString(item.title)
                                       action:item.action ? @selector(choose:) : nullptr
                                keyEquivalent:nsString(item.keyEquivalent)];
        shown.target = self;
        shown.tag = static_cast<NSInteger>(index);
        shown.enabled = item.isEnabled;
        shown.state = item.isChecked ? NSControlStateValueOn : NSControlStateValueOff;
        shown.keyEquivalentModifierMask = static_cast<NSEventModifierFlags>(
            corvel::mac::ModifierConversion::menuKeyEquivalentMask(item.keyEquivalentModifiers));
        if (item.submenu) {
            CorvelMenuBridge* submenu = [[CorvelMenuBridge alloc] initWithMenu:item.submenu];
            [_submenus addObject:submenu];
            shown.submenu = submenu.nsMenu;
        }
        [_nsMenu addItem:shown];
    }
}

- (void)choose:(NSMenuItem*)sender {
    // The action may rebuild this menu or drop the item that shows it, and
    // so this bridge: both stay alive until the action has returned.
    CorvelMenuBridge* keepAlive = self;
    auto menu = _menu;
    menu->performItem(static_cast<std::size_t>(sender.tag));
    (void)keepAlive;
}

@end
