#pragma once

#include "platform/Image.h"

namespace corvel {

/// Corvel's own mark for the primary icon: a lidded box with three dots, as
/// a toolkit-neutral template drawing that the menu bar recolours.
struct CorvelGlyph {
    static constexpr platform::Size menuBarSize{17, 15};

    /// 17 × 15 points, template, accessibility description "Corvel".
    static platform::Image menuBarTemplate();
};

} // namespace corvel
