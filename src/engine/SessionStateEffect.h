#pragma once

#include "async/Executor.h"
#include "domain/GroupID.h"
#include "domain/ItemID.h"

#include <optional>

namespace corvel {

/// One thing the session machine asks its owner to carry out; known there as
/// SessionState::Effect. Equality compares the case and its payload, the time
/// span exactly.
class SessionStateEffect {
  public:
    enum class Kind {
        openStripView,
        beginReveal,
        scheduleShowAllExpiry,
        closeStripView,
        cancelShowAllExpiry,
        hideRegion,
        revealRegion,
        openSearchView,
        closeSearchView,
    };

    static SessionStateEffect openStripView(GroupID group) {
        SessionStateEffect effect(Kind::openStripView);
        effect.group_ = group;
        return effect;
    }
    static SessionStateEffect beginReveal(ItemID item) {
        SessionStateEffect effect(Kind::beginReveal);
        effect.item_ = item;
        return effect;
    }
    static SessionStateEffect scheduleShowAllExpiry(async::Duration after) {
        SessionStateEffect effect(Kind::scheduleShowAllExpiry);
        effect.after_ = after;
        return effect;
    }
    static SessionStateEffect closeStripView() { return SessionStateEffect(Kind::closeStripView); }
    static SessionStateEffect cancelShowAllExpiry() {
        return SessionStateEffect(Kind::cancelShowAllExpiry);
    }
    static SessionStateEffect hideRegion() { return SessionStateEffect(Kind::hideRegion); }
    static SessionStateEffect revealRegion() { return SessionStateEffect(Kind::revealRegion); }
    static SessionStateEffect openSearchView() { return SessionStateEffect(Kind::openSearchView); }
    static SessionStateEffect closeSearchView() {
        return SessionStateEffect(Kind::closeSearchView);
    }

    Kind kind() const { return kind_; }
    /// Set for openStripView.
    const std::optional<GroupID>& group() const { return group_; }
    /// Set for beginReveal.
    const std::optional<ItemID>& item() const { return item_; }
    /// Set for scheduleShowAllExpiry.
    const std::optional<async::Duration>& after() const { return after_; }

    bool operator==(const SessionStateEffect&) const = default;

  private:
    explicit SessionStateEffect(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::optional<GroupID> group_;
    std::optional<ItemID> item_;
    std::optional<async::Duration> after_;
};

} // namespace corvel
