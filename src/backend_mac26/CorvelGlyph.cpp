#include "backend_mac26/CorvelGlyph.h"

#include <vector>

namespace corvel {

namespace {

using platform::ImageShape;
using platform::Rect;

ImageShape shape(ImageShape::Kind kind, Rect rect, double cornerRadius, ImageShape::Paint paint,
                 double lineWidth = 1) {
    return ImageShape{kind, rect, cornerRadius, paint, lineWidth};
}

std::vector<ImageShape> glyphShapes(double w, double h) {
    const double t = 0.14 * h;
    const double lidWidth = 0.74 * w;
    const double bodyWidth = 0.6 * w;
    const double bodyHeight = 0.46 * h;
    std::vector<ImageShape> shapes{
        shape(ImageShape::Kind::roundedRect, {{(w - lidWidth) / 2, 0.8 * h - t}, {lidWidth, t}},
              t / 2, ImageShape::Paint::fill),
        shape(ImageShape::Kind::roundedRect,
              {{(w - bodyWidth) / 2, 0.1 * h}, {bodyWidth, bodyHeight}}, 0.34 * bodyHeight,
              ImageShape::Paint::stroke, t),
    };
    const double r = 0.075 * w;
    const double s = 0.26 * bodyWidth;
    const double c = 0.1 * h + 0.23 * h;
    const double midX = w / 2;
    for (double centre : {midX - s, midX, midX + s})
        shapes.push_back(shape(ImageShape::Kind::oval, {{centre - r, c - r}, {2 * r, 2 * r}}, 0,
                               ImageShape::Paint::fill));
    return shapes;
}

} // namespace

platform::Image CorvelGlyph::menuBarTemplate() {
    auto image =
        platform::Image::drawing(menuBarSize, glyphShapes(menuBarSize.width, menuBarSize.height));
    image.setTemplate(true);
    image.setAccessibilityDescription("Corvel");
    return image;
}

} // namespace corvel
