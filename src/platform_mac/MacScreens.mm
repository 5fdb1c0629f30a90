#include "platform_mac/MacScreens.h"

#include "platform_mac/MainThread.h"

#import <AppKit/AppKit.h>
#include <CoreGraphics/CoreGraphics.h>

namespace corvel::mac {

std::optional<platform::Rect> MacScreens::mainScreenFrame() const {
    const CGRect bounds = CGDisplayBounds(CGMainDisplayID());
    if (!(bounds.size.width > 0 && bounds.size.height > 0))
        return std::nullopt;
    return platform::Rect{{bounds.origin.x, bounds.origin.y},
                          {bounds.size.width, bounds.size.height}};
}

double MacScreens::menuBarScreenHeight() {
    requireMainThread("NSScreen screens");
    NSArray<NSScreen*>* screens = [NSScreen screens];
    if (screens.count > 0)
        return screens[0].frame.size.height;
    // No screen known to AppKit (the displays are asleep or changing): the
    // window server's main display is the same screen.
    return CGDisplayBounds(CGMainDisplayID()).size.height;
}

} // namespace corvel::mac
