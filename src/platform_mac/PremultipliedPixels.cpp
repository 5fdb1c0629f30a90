#include "platform_mac/PremultipliedPixels.h"

#include <algorithm>

namespace corvel::mac {

namespace {

// Rounded to nearest, as the platform's own conversions do.
std::uint8_t scaled(unsigned value, unsigned numerator, unsigned denominator) {
    return static_cast<std::uint8_t>(
        std::min(255u, (value * numerator + denominator / 2) / denominator));
}

template <class Convert>
std::vector<std::uint8_t> eachColour(const std::vector<std::uint8_t>& pixels, Convert convert) {
    std::vector<std::uint8_t> out(pixels.size());
    const std::size_t whole = pixels.size() - pixels.size() % 4;
    for (std::size_t at = 0; at < whole; at += 4) {
        const unsigned alpha = pixels[at + 3];
        for (std::size_t channel = 0; channel < 3; ++channel)
            out[at + channel] = convert(pixels[at + channel], alpha);
        out[at + 3] = static_cast<std::uint8_t>(alpha);
    }
    return out;
}

} // namespace

std::vector<std::uint8_t>
PremultipliedPixels::premultiplied(const std::vector<std::uint8_t>& rgba) {
    return eachColour(rgba,
                      [](unsigned colour, unsigned alpha) { return scaled(colour, alpha, 255); });
}

std::vector<std::uint8_t>
PremultipliedPixels::straight(const std::vector<std::uint8_t>& premultiplied) {
    return eachColour(premultiplied, [](unsigned colour, unsigned alpha) -> std::uint8_t {
        return alpha == 0 ? 0 : scaled(colour, 255, alpha);
    });
}

} // namespace corvel::mac
