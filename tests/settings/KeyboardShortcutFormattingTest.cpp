#include "settings/KeyboardShortcutFormatting.h"

#include "settings/USKeyboardLayout.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace corvel {
namespace {

namespace Layout = USKeyboardLayout;
using KeyboardShortcutFormatting::string;

// The layout table

TEST(USKeyboardLayoutTest, EveryCharacterOfTheTableMapsToItsKeyAndBackToItsLabel) {
    const std::string characters = "asdfhgzxcvbqweryt123465=97-80]ou[ip"
                                   "lj'k;\\,/nm.` ";
    ASSERT_EQ(characters.size(), 48u);
    std::set<std::uint16_t> codes;
    for (char character : characters) {
        const auto code = Layout::keyCode(std::string(1, character));
        ASSERT_TRUE(code) << character;
        codes.insert(*code);
        std::string expected(1, character);
        if (character >= 'a' && character <= 'z')
            expected[0] = static_cast<char>(character - 'a' + 'A');
        if (character == ' ')
            expected = "Space";
        EXPECT_EQ(Layout::label(*code), expected) << *code;
    }
    EXPECT_EQ(codes.size(), 48u) << "no two characters share a key";
}

TEST(USKeyboardLayoutTest, KeyPositionsFollowTheUSKeyboardNotTheAlphabet) {
    EXPECT_EQ(Layout::keyCode("a"), 0);
    EXPECT_EQ(Layout::keyCode("h"), 4);
    EXPECT_EQ(Layout::keyCode("b"), 11);
    EXPECT_EQ(Layout::keyCode("6"), 22);
    EXPECT_EQ(Layout::keyCode("5"), 23);
    EXPECT_EQ(Layout::keyCode("k"), 40);
    EXPECT_EQ(Layout::keyCode("`"), 50);
}

TEST(USKeyboardLayoutTest, UpperCaseLettersAreFoundButShiftedSymbolsAndUnlistedKeysAreNot) {
    EXPECT_EQ(Layout::keyCode("A"), 0);
    EXPECT_EQ(Layout::keyCode("!"), std::nullopt);
    EXPECT_EQ(Layout::keyCode("\t"), std::nullopt);
    EXPECT_EQ(Layout::keyCode("\u00e5"), std::nullopt) << "Option+A types å";
    EXPECT_EQ(Layout::keyCode(""), std::nullopt);
    for (std::uint16_t code : {10, 36, 48, 51, 122, 65535})
        EXPECT_EQ(Layout::label(code), std::nullopt) << code;
}

TEST(USKeyboardLayoutTest, ModifierFlagsCountTheFiveKeysAndNothingElse) {
    EXPECT_EQ(Layout::modifierFlags({.command = true, .shift = true}), 0x120000u);
    EXPECT_EQ(Layout::modifierFlags({.command = true, .shift = true, .capsLock = true}), 0x130000u);
    EXPECT_EQ(Layout::modifierFlags({.option = true, .control = true}), 0xC0000u);
    EXPECT_EQ(Layout::modifierFlags({.numericPad = true, .function = true}), 0u);
    EXPECT_EQ(Layout::modifierFlags({}), 0u);
}

TEST(USKeyboardLayoutTest, TheFirstCharacterKeepsItsCombiningMarks) {
    EXPECT_EQ(Layout::firstCharacter("kx"), "k");
    EXPECT_EQ(Layout::firstCharacter("e\u0301x"), "e\u0301");
    EXPECT_EQ(Layout::firstCharacter("\u00e5"), "\u00e5");
    EXPECT_EQ(Layout::firstCharacter(""), "");
    EXPECT_EQ(Layout::keyCode(Layout::firstCharacter("e\u0301")), std::nullopt)
        << "a dead-key accent is not the plain letter";
}

// Formatting

TEST(KeyboardShortcutFormattingTest,
     SignsComeInControlOptionShiftCommandOrderBeforeTheKeyOrAQuestionMark) {
    const auto all = KeyboardShortcut::command | KeyboardShortcut::shift |
                     KeyboardShortcut::option | KeyboardShortcut::control;

    EXPECT_EQ(string({40, KeyboardShortcut::command | KeyboardShortcut::shift}), "\u21E7\u2318K");
    EXPECT_EQ(string({18, KeyboardShortcut::control | KeyboardShortcut::option}), "\u2303\u23251");
    EXPECT_EQ(string({0, all}), "\u2303\u2325\u21E7\u2318A");
    EXPECT_EQ(string({42, 0}), "\\");
    EXPECT_EQ(string({49, KeyboardShortcut::control | KeyboardShortcut::option}),
              "\u2303\u2325Space");
    EXPECT_EQ(string({36, 0}), "?");
    EXPECT_EQ(string({122, KeyboardShortcut::command}), "\u2318?");
}

TEST(KeyboardShortcutFormattingTest, CapsLockMakesNoSignSoTwoShortcutsCanReadAlike) {
    const KeyboardShortcut plain{40, 0x120000};
    const KeyboardShortcut withCapsLock{40, 0x130000};

    EXPECT_NE(plain, withCapsLock);
    EXPECT_EQ(string(plain), string(withCapsLock));
}

} // namespace
} // namespace corvel
