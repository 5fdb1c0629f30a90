#pragma once

#include "platform/Size.h"

#include <optional>

namespace corvel {

/// How large a row's live snapshot is shown: as tall as a menu bar glyph,
/// keeping its proportions. Pure.
struct StripRowImageSize {
    static constexpr double height = 18;

    /// None for a picture without height, which cannot be scaled.
    static std::optional<platform::Size> forSnapshot(double width, double snapshotHeight);
};

} // namespace corvel
