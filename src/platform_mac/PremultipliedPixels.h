#pragma once

#include <cstdint>
#include <vector>

namespace corvel::mac {

/// Between the ports' RGBA pixels (colour as it is, alpha beside it) and the
/// premultiplied form CoreGraphics bitmap contexts draw into (each colour
/// already multiplied by alpha). Both hold four bytes per pixel in the order
/// R, G, B, A. A fully transparent pixel has no colour in premultiplied form
/// and comes back black.
struct PremultipliedPixels {
    static std::vector<std::uint8_t> premultiplied(const std::vector<std::uint8_t>& rgba);
    static std::vector<std::uint8_t> straight(const std::vector<std::uint8_t>& premultiplied);
};

} // namespace corvel::mac
