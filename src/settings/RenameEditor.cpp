#include "settings/RenameEditor.h"

#include "engine/UnicodeText.h"

#include <utility>

namespace corvel {

void RenameEditor::begin(std::string currentDisplayName) {
    isRenaming_ = true;
    draftName_ = std::move(currentDisplayName);
}

std::optional<std::string> RenameEditor::edit(std::string draft) {
    draftName_ = std::move(draft);
    if (!isRenaming_)
        return std::nullopt;
    std::string trimmed = UnicodeText::trimmingWhitespaceAndNewlines(draftName_);
    if (trimmed.empty())
        return std::nullopt;
    return trimmed;
}

std::optional<std::string> RenameEditor::commit() {
    if (!std::exchange(isRenaming_, false))
        return std::nullopt;
    if (!UnicodeText::trimmingWhitespaceAndNewlines(draftName_).empty())
        return std::nullopt;
    return std::string();
}

void RenameEditor::cancel(std::string displayName) {
    isRenaming_ = false;
    draftName_ = std::move(displayName);
}

} // namespace corvel
