#pragma once

#include "domain/GroupID.h"
#include "domain/ItemID.h"

#include <optional>

namespace corvel {

/// One user or timer stimulus for the session machine; known there as
/// SessionState::Event. Equality compares the case and its payload.
class SessionStateEvent {
  public:
    enum class Kind {
        groupIconClicked,
        itemClickedInStrip,
        revealDidFinish,
        outsideClick,
        escapeKeyPressed,
        showAllRequested,
        showAllExpired,
        showAllCancelledEarly,
        /// The person asked for the item search (its shortcut or the menu).
        findItemRequested,
        /// The person chose an item in the item search.
        itemChosenInSearch,
    };

    static SessionStateEvent groupIconClicked(GroupID group) {
        return SessionStateEvent(Kind::groupIconClicked, group, std::nullopt);
    }
    static SessionStateEvent itemClickedInStrip(ItemID item, GroupID group) {
        return SessionStateEvent(Kind::itemClickedInStrip, group, item);
    }
    static SessionStateEvent revealDidFinish(ItemID item) {
        return SessionStateEvent(Kind::revealDidFinish, std::nullopt, item);
    }
    static SessionStateEvent outsideClick() { return SessionStateEvent(Kind::outsideClick); }
    static SessionStateEvent escapeKeyPressed() {
        return SessionStateEvent(Kind::escapeKeyPressed);
    }
    static SessionStateEvent showAllRequested() {
        return SessionStateEvent(Kind::showAllRequested);
    }
    static SessionStateEvent showAllExpired() { return SessionStateEvent(Kind::showAllExpired); }
    static SessionStateEvent showAllCancelledEarly() {
        return SessionStateEvent(Kind::showAllCancelledEarly);
    }

    static SessionStateEvent findItemRequested() {
        return SessionStateEvent(Kind::findItemRequested);
    }
    static SessionStateEvent itemChosenInSearch(ItemID item) {
        return SessionStateEvent(Kind::itemChosenInSearch, std::nullopt, item);
    }

    Kind kind() const { return kind_; }
    /// Set for groupIconClicked and itemClickedInStrip.
    const std::optional<GroupID>& group() const { return group_; }
    /// Set for itemClickedInStrip, revealDidFinish and itemChosenInSearch.
    const std::optional<ItemID>& item() const { return item_; }

    bool operator==(const SessionStateEvent&) const = default;

  private:
    explicit SessionStateEvent(Kind kind, std::optional<GroupID> group = std::nullopt,
                               std::optional<ItemID> item = std::nullopt)
        : kind_(kind), group_(std::move(group)), item_(std::move(item)) {}

    Kind kind_;
    std::optional<GroupID> group_;
    std::optional<ItemID> item_;
};

} // namespace corvel
