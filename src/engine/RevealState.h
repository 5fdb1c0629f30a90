#pragma once

#include "domain/ItemID.h"

#include <optional>

namespace corvel {

/// Whether one Item is being revealed and pressed right now.
class RevealState {
  public:
    enum class Kind { revealing, idle };

    static RevealState revealing(ItemID item) { return RevealState(Kind::revealing, item); }
    static RevealState idle() { return RevealState(Kind::idle, std::nullopt); }

    Kind kind() const { return kind_; }
    /// The Item being revealed; empty while idle.
    const std::optional<ItemID>& item() const { return item_; }
    bool isRevealing(const ItemID& candidate) const { return item_ == candidate; }

    bool operator==(const RevealState&) const = default;

  private:
    RevealState(Kind kind, std::optional<ItemID> item) : kind_(kind), item_(std::move(item)) {}

    Kind kind_;
    std::optional<ItemID> item_;
};

} // namespace corvel
