#pragma once

#include "domain/GroupID.h"

#include <optional>

namespace corvel {

/// Which Group's Strip is shown, if any.
class StripState {
  public:
    enum class Kind { open, closed };

    static StripState open(GroupID group) { return StripState(Kind::open, group); }
    static StripState closed() { return StripState(Kind::closed, std::nullopt); }

    Kind kind() const { return kind_; }
    /// The Group whose Strip is open; empty while closed.
    const std::optional<GroupID>& group() const { return group_; }
    bool isOpen(const GroupID& candidate) const { return group_ == candidate; }

    bool operator==(const StripState&) const = default;

  private:
    StripState(Kind kind, std::optional<GroupID> group) : kind_(kind), group_(std::move(group)) {}

    Kind kind_;
    std::optional<GroupID> group_;
};

} // namespace corvel
