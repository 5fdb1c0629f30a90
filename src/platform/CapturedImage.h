#pragma once

#include <cstdint>
#include <vector>

namespace corvel::platform {

/// Pixels of a capture: rows top to bottom, four bytes (R, G, B, A) each.
struct CapturedImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;

    friend bool operator==(const CapturedImage&, const CapturedImage&) = default;
};

} // namespace corvel::platform
