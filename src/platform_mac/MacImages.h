#pragma once

#include "platform/Image.h"
#include "platform_mac/FirstUseLog.h"

#import <AppKit/AppKit.h>
#include <CoreGraphics/CoreGraphics.h>
#include <cstdint>
#include <optional>
#include <vector>

namespace corvel::mac {

/// Between the ports' toolkit-neutral images and AppKit's: an NSImage for a
/// button from a symbol, PNG bytes or a drawing of shapes, and PNG bytes
/// from AppKit's and CoreGraphics' images. Each NSImage is made for one use;
/// AppKit's images may be used from one thread at a time.
struct MacImages {
    /// Nothing when AppKit cannot make it (an unknown symbol, bytes that are
    /// no image); the log says which.
    static NSImage* nsImage(const platform::Image& image, FirstUseLog& notes);
    /// PNG bytes of the image drawn at `size` points.
    static std::optional<std::vector<std::uint8_t>> png(NSImage* image, platform::Size size);
    static std::optional<std::vector<std::uint8_t>> png(CGImageRef image);
};

} // namespace corvel::mac
