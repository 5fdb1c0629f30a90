#pragma once

#include "backend_mac26/Mac26MenuExtraResolver.h"

#include <optional>
#include <vector>

namespace corvel {

/// The extras of one scan ordered by position, so that each window finds
/// its nearest extra in logarithmic time: a full resolve stays linear in the
/// size of the menu bar rather than growing with windows times extras.
/// Answers exactly as Mac26MenuExtraResolver::match, ties included (pure).
class Mac26MenuExtraIndex {
  public:
    explicit Mac26MenuExtraIndex(const std::vector<Mac26MenuExtraResolver::MenuExtra>& extras);

    /// The nearest extra (the first in scan order on a tie) within `tolerance`.
    const Mac26MenuExtraResolver::MenuExtra* nearest(double windowX, double tolerance) const;

  private:
    struct Entry {
        double x;
        std::size_t order;
    };
    /// The first entry of the run of equal x that ends at `position`.
    std::size_t runStart(std::size_t position) const;

    const std::vector<Mac26MenuExtraResolver::MenuExtra>& extras_;
    std::vector<Entry> byX_;
};

} // namespace corvel
