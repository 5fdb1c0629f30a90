#pragma once

#include <optional>
#include <string>

namespace corvel {

/// The in-place rename of one Item's name, shared by the Layout tiles and the
/// Item rows. A plain value: the screen keeps one per name view, feeds it the
/// person's actions and makes the rename call each action answers.
///
/// Idle until begin(). While renaming, every draft whose trimmed text is not
/// empty is applied at once; Return or the field losing focus ends the rename
/// and passes an empty name once when the draft is blank; Escape ends it
/// without a call, resetting the draft. The draft means nothing while idle.
class RenameEditor {
  public:
    bool isRenaming() const { return isRenaming_; }
    const std::string& draftName() const { return draftName_; }

    /// Starts renaming with the Item's current name as the draft.
    void begin(std::string currentDisplayName);
    /// The field's text changed. Answers the name to apply now: the trimmed
    /// draft, or none when it is blank or no rename is under way.
    std::optional<std::string> edit(std::string draft);
    /// Return or loss of focus. Answers the empty name when a rename under
    /// way ends with a blank draft, otherwise none; ends the rename.
    std::optional<std::string> commit();
    /// Escape: ends the rename and resets the draft to `displayName`; calls
    /// for nothing (names applied while typing stay).
    void cancel(std::string displayName);

    friend bool operator==(const RenameEditor&, const RenameEditor&) = default;

  private:
    bool isRenaming_ = false;
    std::string draftName_;
};

} // namespace corvel
