#include "engine/ShortcutConflictChecker.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using Verdict = ShortcutConflictChecker::Verdict;

constexpr std::uint16_t keyK = 40;
const KeyboardShortcut commandK{keyK, KeyboardShortcut::command};
const KeyboardShortcut commandShiftK{keyK, KeyboardShortcut::command | KeyboardShortcut::shift};

Group group(std::string name, std::optional<KeyboardShortcut> shortcut) {
    return Group{GroupID::random(), std::move(name), "folder.fill", shortcut, 0};
}

TEST(ShortcutConflictCheckerTest, withNoGroupsEveryShortcutIsAvailable) {
    EXPECT_EQ(ShortcutConflictChecker::check(commandK, std::nullopt, {}), Verdict::available());
}

TEST(ShortcutConflictCheckerTest, aGroupNeverConflictsWithItsOwnShortcutWhileItIsBeingEdited) {
    auto edited = group("Work", commandK);

    EXPECT_EQ(ShortcutConflictChecker::check(commandK, edited.id, {edited}), Verdict::available());
    auto unscoped = ShortcutConflictChecker::check(commandK, std::nullopt, {edited});
    ASSERT_EQ(unscoped.kind(), Verdict::Kind::conflicts);
    EXPECT_EQ(unscoped.owner()->id, edited.id);
}

TEST(ShortcutConflictCheckerTest, shortcutsDifferingInTheKeyOrAnyModifierBitDoNotConflict) {
    auto holder = group("Work", commandShiftK);
    const KeyboardShortcut withCapsLock{keyK, KeyboardShortcut::command | 0x10000};
    const KeyboardShortcut commandL{37, KeyboardShortcut::command};

    EXPECT_EQ(ShortcutConflictChecker::check(commandK, std::nullopt, {holder}),
              Verdict::available());
    EXPECT_EQ(ShortcutConflictChecker::check(withCapsLock, std::nullopt, {group("A", commandK)}),
              Verdict::available());
    EXPECT_EQ(ShortcutConflictChecker::check(commandL, std::nullopt, {group("B", commandK)}),
              Verdict::available());
}

TEST(ShortcutConflictCheckerTest, aGroupWithoutAShortcutNeverHoldsEvenTheEmptyOne) {
    EXPECT_EQ(ShortcutConflictChecker::check(KeyboardShortcut{}, std::nullopt,
                                             {group("Plain", std::nullopt)}),
              Verdict::available());
}

TEST(ShortcutConflictCheckerTest, theFirstOfSeveralHoldersInListOrderIsTheOwner) {
    auto edited = group("Edited", std::nullopt);
    auto withoutShortcut = group("Plain", std::nullopt);
    auto first = group("First", commandK);
    auto second = group("Second", commandK);

    auto verdict = ShortcutConflictChecker::check(commandK, edited.id,
                                                  {edited, withoutShortcut, first, second});
    EXPECT_EQ(verdict, Verdict::conflicts(first));
    EXPECT_EQ(verdict.owner()->name, "First");
}

} // namespace
} // namespace corvel
