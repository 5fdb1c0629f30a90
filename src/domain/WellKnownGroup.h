#pragma once

#include "domain/GroupID.h"

namespace corvel {

/// Groups with a fixed id. The Hidden Group has no Group record, no name and
/// no icon; an Item belongs to it when its groupID equals `hidden`.
struct WellKnownGroup {
    static constexpr GroupID hidden{Uuid::literal("00000000-0000-0000-0000-000000000001")};
};

} // namespace corvel
