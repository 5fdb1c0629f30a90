#pragma once

#include "domain/Uuid.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corvel {

/// One icon of Corvel's own that the backend is to show in the menu bar.
struct OwnChromeIcon {
    /// Stable across placements; clicks are reported with it. A Group's icon
    /// uses the Group's id, the primary icon a fixed handle.
    Uuid handle;
    /// Absent for the primary icon, which shows Corvel's own glyph.
    std::optional<std::string> symbolName;
    /// Rank within the block of own icons, laid out ascending.
    std::int64_t order = 0;

    friend bool operator==(const OwnChromeIcon&, const OwnChromeIcon&) = default;
};

} // namespace corvel

template <> struct std::hash<corvel::OwnChromeIcon> {
    std::size_t operator()(const corvel::OwnChromeIcon& icon) const noexcept;
};
