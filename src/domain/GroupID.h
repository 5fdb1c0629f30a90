#pragma once

#include "domain/Identifier.h"

namespace corvel {

/// Identifies one Group. Never interchangeable with an ItemID.
class GroupID : public Identifier<GroupID> {
  public:
    using Identifier::Identifier;
};

} // namespace corvel
