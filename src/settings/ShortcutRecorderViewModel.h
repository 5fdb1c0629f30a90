#pragma once

#include "domain/Group.h"
#include "domain/GroupID.h"
#include "domain/KeyboardShortcut.h"
#include "settings/EventModifiers.h"
#include "settings/Observable.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

/// The state of one shortcut recorder control: whether it is recording, the
/// Group's shortcut and the message about a conflicting one. Idle until
/// beginRecording(); a capture, cancelRecording() or clear() makes it idle
/// again. Made anew for each Group shown; main thread only.
class ShortcutRecorderViewModel {
  public:
    using GroupsProvider = std::function<std::vector<Group>()>;
    using Commit = std::function<void(std::optional<KeyboardShortcut>)>;

    static constexpr std::string_view systemConflictHint =
        "If nothing happens when you use this shortcut, another app or macOS may already own it.";
    /// Said instead of storing a combination without Command or Control.
    static constexpr std::string_view modifierRequiredMessage =
        "Add \u2318 or \u2303: macOS only allows shortcuts with Command or Control.";

    /// `groupsProvider` answers the current Groups at every capture;
    /// `onCommit` hears each accepted shortcut and each clearing.
    ShortcutRecorderViewModel(GroupID groupID, std::optional<KeyboardShortcut> initial,
                              GroupsProvider groupsProvider, Commit onCommit);

    const GroupID& groupID() const { return groupID_; }

    /// Published.
    const Observable<std::optional<KeyboardShortcut>>& shortcut() const { return shortcut_; }
    const Observable<std::optional<std::string>>& conflictMessage() const {
        return conflictMessage_;
    }
    const Observable<bool>& isRecording() const { return isRecording_; }

    void beginRecording();
    /// Ends recording. A shortcut no other Group holds is taken and committed;
    /// one without Command or Control, which macOS would not register, or one
    /// that another Group holds only sets conflictMessage, saying why. The
    /// commit comes last: it may destroy this recorder.
    void capture(const KeyboardShortcut& candidate);
    void cancelRecording();
    /// Ends recording and commits "no shortcut", even when none was set; the
    /// commit comes last and may destroy this recorder.
    void clear();

    /// A key-down press as the control receives it: `characters` is the text
    /// the press produced. While recording, a press whose first character is
    /// in the US table is captured; answers whether the press was handled
    /// (false lets it pass on to the window, and recording continues).
    bool keyDown(std::string_view characters, const EventModifiers& modifiers);
    /// Escape: cancels a recording and answers true; while idle answers
    /// false so that the window may use it.
    bool escape();

    /// What the record button reads: "Press a key combination…" while
    /// recording, else the shortcut as formatted or "Record Shortcut…".
    std::string buttonLabel() const;

  private:
    void commit(std::optional<KeyboardShortcut> shortcut);

    GroupID groupID_;
    GroupsProvider groupsProvider_;
    Commit onCommit_;
    Observable<std::optional<KeyboardShortcut>> shortcut_;
    Observable<std::optional<std::string>> conflictMessage_;
    Observable<bool> isRecording_{false};
};

} // namespace corvel
