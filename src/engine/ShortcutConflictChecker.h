#pragma once

#include "domain/Group.h"
#include "domain/GroupID.h"
#include "domain/KeyboardShortcut.h"

#include <optional>
#include <utility>
#include <vector>

namespace corvel {

/// Whether a freshly recorded shortcut is already held by another Group. Only
/// Corvel's own Groups count; shortcuts of other applications are not looked
/// at. Pure; called on the main thread.
struct ShortcutConflictChecker {
    class Verdict {
      public:
        enum class Kind { conflicts, available };

        static Verdict conflicts(Group owner) { return Verdict(std::move(owner)); }
        static Verdict available() { return Verdict(std::nullopt); }

        Kind kind() const { return owner_ ? Kind::conflicts : Kind::available; }
        /// The Group that holds the shortcut; present exactly for conflicts.
        const std::optional<Group>& owner() const { return owner_; }

        /// Groups are identified by id, so two conflicts are equal when their
        /// owners have the same id.
        friend bool operator==(const Verdict& a, const Verdict& b) {
            if (!a.owner_ || !b.owner_)
                return !a.owner_ && !b.owner_;
            return a.owner_->id == b.owner_->id;
        }

      private:
        explicit Verdict(std::optional<Group> owner) : owner_(std::move(owner)) {}

        std::optional<Group> owner_;
    };

    /// The first Group in `groups` order, other than `groupBeingEdited`, whose
    /// shortcut has the candidate's key code and exactly its modifier mask,
    /// every bit counting.
    static Verdict check(const KeyboardShortcut& candidate,
                         const std::optional<GroupID>& groupBeingEdited,
                         const std::vector<Group>& groups);
};

} // namespace corvel
