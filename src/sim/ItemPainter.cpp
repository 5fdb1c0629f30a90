#include "sim/ItemPainter.h"

#include <algorithm>
#include <cmath>

namespace corvel::sim {

namespace {

struct Canvas {
    platform::CapturedImage image;

    Canvas(std::uint32_t width, std::uint32_t height) {
        image.width = width;
        image.height = height;
        image.rgba.assign(std::size_t{width} * height * 4, 0);
    }
    void set(std::uint32_t x, std::uint32_t y, ItemPainter::Color color) {
        auto* pixel = &image.rgba[(std::size_t{y} * image.width + x) * 4];
        pixel[0] = color[0];
        pixel[1] = color[1];
        pixel[2] = color[2];
        pixel[3] = 255;
    }
    template <class Inside> void fill(ItemPainter::Color color, Inside inside) {
        for (std::uint32_t y = 0; y < image.height; ++y)
            for (std::uint32_t x = 0; x < image.width; ++x)
                if (inside(x + 0.5, y + 0.5))
                    set(x, y, color);
    }
};

bool insideRoundedRect(double x, double y, double left, double top, double right, double bottom,
                       double radius) {
    if (x < left || x > right || y < top || y > bottom)
        return false;
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return std::hypot(x - cx, y - cy) <= radius;
}

constexpr ItemPainter::Color white{255, 255, 255};

} // namespace

platform::CapturedImage ItemPainter::item(Color color, std::uint32_t variant, std::uint32_t width,
                                          std::uint32_t height) {
    Canvas canvas(width, height);
    const double w = width;
    const double h = height;
    const double inset = std::min(w, h) * 0.15;
    canvas.fill(color, [&](double x, double y) {
        return insideRoundedRect(x, y, inset, inset, w - inset, h - inset, std::min(w, h) * 0.2);
    });
    const double markX = w * (0.3 + 0.2 * static_cast<double>(variant % 3));
    const double radius = std::min(w, h) * 0.15;
    canvas.fill(white,
                [&](double x, double y) { return std::hypot(x - markX, y - h / 2) <= radius; });
    return canvas.image;
}

platform::CapturedImage ItemPainter::icon(Color color, std::uint32_t size) {
    Canvas canvas(size, size);
    const double s = size;
    canvas.fill(color, [&](double x, double y) {
        return insideRoundedRect(x, y, s * 0.06, s * 0.06, s * 0.94, s * 0.94, s * 0.22);
    });
    canvas.fill(white,
                [&](double x, double y) { return std::hypot(x - s / 2, y - s / 2) <= s * 0.2; });
    return canvas.image;
}

} // namespace corvel::sim
