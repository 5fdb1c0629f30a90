#pragma once

#include "platform/CapturedImage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvel::sim {

/// Encodes RGBA pixels as PNG, with no extra chunks.
class PngEncoder {
  public:
    /// Nothing for an empty or inconsistent image.
    static std::optional<std::vector<std::uint8_t>> encode(const platform::CapturedImage& image);
};

} // namespace corvel::sim
