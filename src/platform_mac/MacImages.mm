#include "platform_mac/MacImages.h"

#include "platform_mac/AppleStrings.h"

namespace corvel::mac {

namespace {

NSImage* symbolImage(const platform::Image& image) {
    return [NSImage imageWithSystemSymbolName:nsString(image.symbolName())
                     accessibilityDescription:nil];
}

NSImage* pngImage(const platform::Image& image) {
    const auto& bytes = image.pngBytes();
    NSData* data = [NSData dataWithBytes:bytes.data() length:bytes.size()];
    return [[NSImage alloc] initWithData:data];
}

// Shapes are given with the origin at the bottom left, as an unflipped
// drawing handler draws.
NSImage* drawnImage(const platform::Image& image) {
    const std::vector<platform::ImageShape> shapes = image.shapes();
    const NSSize size = NSMakeSize(image.size().width, image.size().height);
    return [NSImage imageWithSize:size
                          flipped:NO
                   drawingHandler:^BOOL(NSRect) {
                     for (const auto& shape : shapes) {
                         const NSRect rect =
                             NSMakeRect(shape.rect.origin.x, shape.rect.origin.y,
                                        shape.rect.size.width, shape.rect.size.height);
                         NSBezierPath* path =
                             shape.kind == platform::ImageShape::Kind::oval
                                 ? [NSBezierPath bezierPathWithOvalInRect:rect]
                                 : [NSBezierPath bezierPathWithRoundedRect:rect
                                                                   xRadius:shape.cornerRadius
                                                                   yRadius:shape.cornerRadius];
                         if (shape.paint == platform::ImageShape::Paint::fill) {
                             [[NSColor blackColor] setFill];
                             [path fill];
                         } else {
                             path.lineWidth = shape.lineWidth;
                             [[NSColor blackColor] setStroke];
                             [path stroke];
                         }
                     }
                     return YES;
                   }];
}

const char* kindName(platform::Image::Kind kind) {
    switch (kind) {
    case platform::Image::Kind::symbol:
        return "symbol";
    case platform::Image::Kind::png:
        return "PNG";
    case platform::Image::Kind::drawing:
        return "drawing";
    }
    return "image";
}

} // namespace

NSImage* MacImages::nsImage(const platform::Image& image, FirstUseLog& notes) {
    NSImage* made = nil;
    switch (image.kind()) {
    case platform::Image::Kind::symbol:
        made = symbolImage(image);
        break;
    case platform::Image::Kind::png:
        made = pngImage(image);
        break;
    case platform::Image::Kind::drawing:
        made = drawnImage(image);
        break;
    }
    if (!made) {
        const std::string what =
            std::string(kindName(image.kind())) + (image.kind() == platform::Image::Kind::symbol
                                                       ? " \"" + image.symbolName() + "\""
                                                       : std::string());
        notes.once("image " + what, "Corvel: AppKit made no image of the " + what);
        return nil;
    }
    made.size = NSMakeSize(image.size().width, image.size().height);
    [made setTemplate:image.isTemplate()];
    if (!image.accessibilityDescription().empty())
        made.accessibilityDescription = nsString(image.accessibilityDescription());
    return made;
}

std::optional<std::vector<std::uint8_t>> MacImages::png(NSImage* image, platform::Size size) {
    NSRect proposed = NSMakeRect(0, 0, size.width, size.height);
    // Lent by the image, not owned.
    CGImageRef drawn = [image CGImageForProposedRect:&proposed context:nil hints:nil];
    if (!drawn)
        return std::nullopt;
    return png(drawn);
}

std::optional<std::vector<std::uint8_t>> MacImages::png(CGImageRef image) {
    NSBitmapImageRep* bitmap = [[NSBitmapImageRep alloc] initWithCGImage:image];
    NSData* data = [bitmap representationUsingType:NSBitmapImageFileTypePNG properties:@{}];
    if (!data)
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(data.bytes);
    return std::vector<std::uint8_t>(bytes, bytes + data.length);
}

} // namespace corvel::mac
