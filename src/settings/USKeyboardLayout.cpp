#include "settings/USKeyboardLayout.h"

#include "domain/KeyboardShortcut.h"
#include "engine/UnicodeText.h"

#include <array>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

namespace corvel::USKeyboardLayout {

namespace {

struct Key {
    std::uint16_t keyCode;
    std::string_view character;
    std::string_view label;
};

// Key codes are positions on the keyboard, hence the gaps: 10, 36, 48 and
// everything past 50 type nothing that can be recorded. The space bar can:
// Find Item…'s own shortcut is Control-Option-Space.
constexpr std::array<Key, 48> keys{{
    {0, "a", "A"},    {1, "s", "S"},      {2, "d", "D"},  {3, "f", "F"},  {4, "h", "H"},
    {5, "g", "G"},    {6, "z", "Z"},      {7, "x", "X"},  {8, "c", "C"},  {9, "v", "V"},
    {11, "b", "B"},   {12, "q", "Q"},     {13, "w", "W"}, {14, "e", "E"}, {15, "r", "R"},
    {16, "y", "Y"},   {17, "t", "T"},     {18, "1", "1"}, {19, "2", "2"}, {20, "3", "3"},
    {21, "4", "4"},   {22, "6", "6"},     {23, "5", "5"}, {24, "=", "="}, {25, "9", "9"},
    {26, "7", "7"},   {27, "-", "-"},     {28, "8", "8"}, {29, "0", "0"}, {30, "]", "]"},
    {31, "o", "O"},   {32, "u", "U"},     {33, "[", "["}, {34, "i", "I"}, {35, "p", "P"},
    {37, "l", "L"},   {38, "j", "J"},     {39, "'", "'"}, {40, "k", "K"}, {41, ";", ";"},
    {42, "\\", "\\"}, {43, ",", ","},     {44, "/", "/"}, {45, "n", "N"}, {46, "m", "M"},
    {47, ".", "."},   {49, " ", "Space"}, {50, "`", "`"},
}};

} // namespace

std::optional<std::uint16_t> keyCode(std::string_view character) {
    const std::string lowered = UnicodeText::lowercased(character);
    for (const Key& key : keys) {
        if (key.character == lowered)
            return key.keyCode;
    }
    return std::nullopt;
}

std::optional<std::string_view> label(std::uint16_t keyCode) {
    for (const Key& key : keys) {
        if (key.keyCode == keyCode)
            return key.label;
    }
    return std::nullopt;
}

std::uint64_t modifierFlags(const EventModifiers& modifiers) {
    std::uint64_t flags = 0;
    if (modifiers.command)
        flags |= KeyboardShortcut::command;
    if (modifiers.shift)
        flags |= KeyboardShortcut::shift;
    if (modifiers.option)
        flags |= KeyboardShortcut::option;
    if (modifiers.control)
        flags |= KeyboardShortcut::control;
    if (modifiers.capsLock)
        flags |= capsLock;
    return flags;
}

std::string_view firstCharacter(std::string_view text) {
    if (text.empty())
        return text;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UText, decltype(&utext_close)> utext(
        utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status),
        &utext_close);
    std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return text.substr(0, 1);
    breaks->setText(utext.get(), status);
    const std::int32_t end = breaks->following(0);
    if (U_FAILURE(status) || end <= 0)
        return text.substr(0, 1);
    // UTF-8 UText indices are byte offsets into `text`.
    return text.substr(0, static_cast<std::size_t>(end));
}

} // namespace corvel::USKeyboardLayout
