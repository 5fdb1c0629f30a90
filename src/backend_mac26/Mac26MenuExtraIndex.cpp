#include "backend_mac26/Mac26MenuExtraIndex.h"

#include <algorithm>
#include <cmath>

namespace corvel {

Mac26MenuExtraIndex::Mac26MenuExtraIndex(
    const std::vector<Mac26MenuExtraResolver::MenuExtra>& extras)
    : extras_(extras) {
    byX_.reserve(extras.size());
    for (std::size_t i = 0; i < extras.size(); ++i)
        byX_.push_back({extras[i].x, i});
    std::sort(byX_.begin(), byX_.end(), [](const Entry& a, const Entry& b) {
        return a.x < b.x || (a.x == b.x && a.order < b.order);
    });
}

std::size_t Mac26MenuExtraIndex::runStart(std::size_t position) const {
    const double x = byX_[position].x;
    while (position > 0 && byX_[position - 1].x == x)
        --position;
    return position;
}

const Mac26MenuExtraResolver::MenuExtra* Mac26MenuExtraIndex::nearest(double windowX,
                                                                      double tolerance) const {
    // The nearest extras are the closest at or right of the window and the
    // closest left of it; within a run of equal x the earliest in scan order
    // comes first. Distances are computed as match() computes them, so ties
    // fall the same way.
    const auto right = std::lower_bound(byX_.begin(), byX_.end(), windowX,
                                        [](const Entry& e, double x) { return e.x < x; });
    const Entry* best = nullptr;
    double bestDistance = 0;
    auto consider = [&](const Entry& candidate) {
        const double distance = std::abs(candidate.x - windowX);
        if (!best || distance < bestDistance ||
            (distance == bestDistance && candidate.order < best->order)) {
            best = &candidate;
            bestDistance = distance;
        }
    };
    if (right != byX_.end())
        consider(*right);
    if (right != byX_.begin())
        consider(byX_[runStart(static_cast<std::size_t>(right - byX_.begin()) - 1)]);
    if (!best || !(bestDistance <= tolerance))
        return nullptr;
    return &extras_[best->order];
}

} // namespace corvel
