#pragma once

#include "domain/Identifier.h"

namespace corvel {

/// Identifies one Item for its whole life.
class ItemID : public Identifier<ItemID> {
  public:
    using Identifier::Identifier;
};

} // namespace corvel
