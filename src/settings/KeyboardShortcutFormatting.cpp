#include "settings/KeyboardShortcutFormatting.h"

#include "settings/USKeyboardLayout.h"

namespace corvel::KeyboardShortcutFormatting {

std::string string(const KeyboardShortcut& shortcut) {
    std::string text;
    if (shortcut.holds(KeyboardShortcut::control))
        text += "\u2303";
    if (shortcut.holds(KeyboardShortcut::option))
        text += "\u2325";
    if (shortcut.holds(KeyboardShortcut::shift))
        text += "\u21E7";
    if (shortcut.holds(KeyboardShortcut::command))
        text += "\u2318";
    text += USKeyboardLayout::label(shortcut.keyCode).value_or("?");
    return text;
}

} // namespace corvel::KeyboardShortcutFormatting
