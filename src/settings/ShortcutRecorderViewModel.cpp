#include "settings/ShortcutRecorderViewModel.h"

#include "engine/ShortcutConflictChecker.h"
#include "settings/KeyboardShortcutFormatting.h"
#include "settings/USKeyboardLayout.h"

#include <utility>

namespace corvel {

namespace {

std::string conflictText(const Group& owner) {
    return "That shortcut is already used by \"" + owner.name + ".\"";
}

} // namespace

ShortcutRecorderViewModel::ShortcutRecorderViewModel(GroupID groupID,
                                                     std::optional<KeyboardShortcut> initial,
                                                     GroupsProvider groupsProvider, Commit onCommit)
    : groupID_(groupID), groupsProvider_(std::move(groupsProvider)), onCommit_(std::move(onCommit)),
      shortcut_(initial) {}

void ShortcutRecorderViewModel::beginRecording() {
    isRecording_.set(true);
    conflictMessage_.set(std::nullopt);
}

void ShortcutRecorderViewModel::capture(const KeyboardShortcut& candidate) {
    isRecording_.set(false);
    if (!(candidate.modifierFlags & (KeyboardShortcut::command | KeyboardShortcut::control))) {
        conflictMessage_.set(std::string(modifierRequiredMessage));
        return;
    }
    const std::vector<Group> groups = groupsProvider_ ? groupsProvider_() : std::vector<Group>{};
    const auto verdict = ShortcutConflictChecker::check(candidate, groupID_, groups);
    if (verdict.kind() == ShortcutConflictChecker::Verdict::Kind::conflicts) {
        conflictMessage_.set(conflictText(*verdict.owner()));
        return;
    }
    conflictMessage_.set(std::nullopt);
    shortcut_.set(candidate);
    commit(candidate);
}

void ShortcutRecorderViewModel::cancelRecording() {
    isRecording_.set(false);
}

void ShortcutRecorderViewModel::clear() {
    isRecording_.set(false);
    conflictMessage_.set(std::nullopt);
    shortcut_.set(std::nullopt);
    commit(std::nullopt);
}

void ShortcutRecorderViewModel::commit(std::optional<KeyboardShortcut> shortcut) {
    // The commit changes the Groups, and a screen that rebuilds on that may
    // destroy this recorder inside the call: call a copy, touch nothing after.
    if (auto onCommit = onCommit_)
        onCommit(shortcut);
}

bool ShortcutRecorderViewModel::keyDown(std::string_view characters,
                                        const EventModifiers& modifiers) {
    if (!isRecording_.value())
        return false;
    const auto keyCode = USKeyboardLayout::keyCode(USKeyboardLayout::firstCharacter(characters));
    if (!keyCode)
        return false;
    capture(KeyboardShortcut{*keyCode, USKeyboardLayout::modifierFlags(modifiers)});
    return true;
}

bool ShortcutRecorderViewModel::escape() {
    if (!isRecording_.value())
        return false;
    cancelRecording();
    return true;
}

std::string ShortcutRecorderViewModel::buttonLabel() const {
    if (isRecording_.value())
        return "Press a key combination\u2026";
    if (const auto& shortcut = shortcut_.value())
        return KeyboardShortcutFormatting::string(*shortcut);
    return "Record Shortcut\u2026";
}

} // namespace corvel
