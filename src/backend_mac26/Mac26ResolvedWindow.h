#pragma once

#include "platform/Rect.h"

#include <cstdint>

namespace corvel {

/// A live window found again from its token; only windows with bounds qualify.
struct Mac26ResolvedWindow {
    std::uint32_t windowID = 0;
    platform::Rect bounds;

    friend bool operator==(const Mac26ResolvedWindow&, const Mac26ResolvedWindow&) = default;
};

} // namespace corvel
