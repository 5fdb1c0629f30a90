#include "settings_ui/NeedsAHandText.h"

namespace corvel {

std::string needsAHandHelpText(const std::string& displayName) {
    return "Corvel couldn't move " + displayName +
           ". Hold ⌘ and drag it to the left of the Corvel icon.";
}

} // namespace corvel
