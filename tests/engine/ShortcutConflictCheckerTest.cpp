#include "engine/ShortcutConflictChecker.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvel {
namespace {

using Verdict = ShortcutConflictChecker::Verdict;

constexpr std::uint16_t keyCodeK = 40;
const KeyboardShortcut commandK{keyCodeK, KeyboardShortcut::command};
const KeyboardShortcut commandShiftK{keyCodeK, KeyboardShortcut::command | KeyboardShortcut::shift};

Group groupWithShortcut(std::string name, std::optional<KeyboardShortcut> shortcut) {
    return Group{GroupID::random(), std::move(name), "folder.fill", shortcut, 0};
}

TEST(ShortcutConflictCheckerTest, theFirstOtherGroupHoldingTheSameShortcutOwnsIt) {
    auto edited = groupWithShortcut("Edited", commandK);
    auto first = groupWithShortcut("First", commandK);
    auto second = groupWithShortcut("Second", commandK);

    EXPECT_EQ(ShortcutConflictChecker::check(commandK, edited.id, {edited}), Verdict::available())
        << "a Group never conflicts with its own shortcut while it is edited";
    EXPECT_EQ(ShortcutConflictChecker::check(commandK, edited.id, {edited, first, second}),
              Verdict::conflicts(first));
    EXPECT_EQ(ShortcutConflictChecker::check(commandK, std::nullopt, {edited, first}),
              Verdict::conflicts(edited));
}

TEST(ShortcutConflictCheckerTest, aDifferentKeyOrModifierBitOrNoShortcutIsNoConflict) {
    const KeyboardShortcut withCapsLock{keyCodeK, KeyboardShortcut::command | 0x10000};
    const std::vector<Group> groups{groupWithShortcut("Plain", std::nullopt),
                                    groupWithShortcut("Work", commandK)};

    EXPECT_EQ(ShortcutConflictChecker::check(commandShiftK, std::nullopt, groups),
              Verdict::available());
    EXPECT_EQ(ShortcutConflictChecker::check(withCapsLock, std::nullopt, groups),
              Verdict::available());
    EXPECT_EQ(ShortcutConflictChecker::check(KeyboardShortcut{}, std::nullopt, groups),
              Verdict::available());
}

} // namespace
} // namespace corvel
