#include "engine/ShortcutConflictChecker.h"

namespace corvel {

ShortcutConflictChecker::Verdict
ShortcutConflictChecker::check(const KeyboardShortcut& candidate,
                               const std::optional<GroupID>& groupBeingEdited,
                               const std::vector<Group>& groups) {
    for (const Group& group : groups) {
        if (groupBeingEdited && *groupBeingEdited == group.id)
            continue;
        // KeyboardShortcut equality compares the key code and the whole mask,
        // with no normalisation of bits the display leaves out.
        if (group.shortcut && *group.shortcut == candidate)
            return Verdict::conflicts(group);
    }
    return Verdict::available();
}

} // namespace corvel
