#include "platform_mac/MacSymbolImages.h"

#include "platform_mac/AppleStrings.h"

#import <AppKit/AppKit.h>

namespace corvel::mac {

std::optional<platform::Image>
MacSymbolImages::systemSymbolImage(const std::string& name,
                                   const std::string& accessibilityDescription) const {
    NSImage* found = [NSImage imageWithSystemSymbolName:nsString(name)
                               accessibilityDescription:accessibilityDescription.empty()
                                                            ? nil
                                                            : nsString(accessibilityDescription)];
    if (!found)
        return std::nullopt;
    // The port's image names the symbol; the button makes AppKit's own.
    auto image = platform::Image::symbol(name);
    image.setAccessibilityDescription(accessibilityDescription);
    return image;
}

} // namespace corvel::mac
