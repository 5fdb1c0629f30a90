#pragma once

#include "backend/OwnChromeIcon.h"
#include "domain/Group.h"
#include "domain/GroupID.h"
#include "domain/Uuid.h"

#include <optional>
#include <vector>

namespace corvel {

/// Which own icons stand in the menu bar, in which order, and which Group a
/// clicked icon stands for. Pure; called on the main thread.
struct ChromeBlockPlanner {
    /// The primary icon's handle. Fixed across launches so that the backend
    /// recognises the icon across placements; never taken to name a Group.
    static constexpr Uuid corvelIconHandle = Uuid::literal("00000000-0000-0000-0000-0000000000F0");

    /// The primary icon (order 0) followed by one icon per Group, sorted
    /// stably by the Groups' order and numbered 1, 2, … without gaps.
    static std::vector<OwnChromeIcon> icons(const std::vector<Group>& groups);

    /// The first Group in list order whose id is `handle`; none for the
    /// primary icon's handle or a handle no Group has.
    static std::optional<GroupID> groupID(const Uuid& handle, const std::vector<Group>& groups);
};

} // namespace corvel
