#pragma once

#include "platform/CapturedImage.h"

#include <array>
#include <cstdint>

namespace corvel::sim {

/// Deterministic pictures for the simulated desktop: a status item as a
/// capture shows it, and application icons. The same inputs always give the
/// same pixels.
class ItemPainter {
  public:
    using Color = std::array<std::uint8_t, 3>;

    /// A rounded glyph in the application's colour with a white mark whose
    /// place depends on `variant`, on a transparent background.
    static platform::CapturedImage item(Color color, std::uint32_t variant, std::uint32_t width,
                                        std::uint32_t height);
    /// A rounded square in the application's colour with a white disc.
    static platform::CapturedImage icon(Color color, std::uint32_t size);
};

} // namespace corvel::sim
