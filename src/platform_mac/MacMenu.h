#pragma once

#include "platform/Menu.h"

#import <AppKit/AppKit.h>
#include <memory>

/// Shows a port Menu as an NSMenu. It is the menu's delegate: each time the
/// menu is about to open it lets the owner rebuild the entries
/// (Menu::prepareToOpen) and makes AppKit's items from them; a chosen item
/// runs Menu::performItem. Submenus get bridges of their own, held here.
/// AppKit holds its delegates and item targets weakly, so whoever shows the
/// menu must hold the bridge. Main thread only.
@interface CorvelMenuBridge : NSObject <NSMenuDelegate>
- (instancetype)initWithMenu:(std::shared_ptr<corvel::platform::Menu>)menu;
@property(nonatomic, readonly, strong) NSMenu* nsMenu;
@end
