#include "settings/ShortcutRecorderViewModel.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {
namespace {

constexpr std::uint16_t kKey = 40;
const KeyboardShortcut commandK{kKey, KeyboardShortcut::command};
const KeyboardShortcut shiftCommandK{kKey, KeyboardShortcut::command | KeyboardShortcut::shift};

class ShortcutRecorderViewModelTest : public ::testing::Test {
  protected:
    ShortcutRecorderViewModel makeRecorder(std::optional<KeyboardShortcut> initial) {
        return ShortcutRecorderViewModel(
            edited.id, initial, [this] { return groups; },
            [this](std::optional<KeyboardShortcut> shortcut) { commits.push_back(shortcut); });
    }

    Group edited{GroupID::random(), "Edited", "folder.fill", shiftCommandK, 0};
    Group work{GroupID::random(), "Work", "star.fill", commandK, 1};
    std::vector<Group> groups{work, edited};
    std::vector<std::optional<KeyboardShortcut>> commits;
};

TEST_F(ShortcutRecorderViewModelTest, StartsIdleWithTheGroupsShortcut) {
    const auto recorder = makeRecorder(shiftCommandK);

    EXPECT_EQ(recorder.shortcut().value(), shiftCommandK);
    EXPECT_FALSE(recorder.isRecording().value());
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
    EXPECT_EQ(recorder.buttonLabel(), "\u21E7\u2318K");
    EXPECT_EQ(makeRecorder(std::nullopt).buttonLabel(), "Record Shortcut\u2026");
}

TEST_F(ShortcutRecorderViewModelTest,
       AShortcutAnotherGroupHoldsIsRefusedNamingItButItsOwnIsTakenAgain) {
    auto recorder = makeRecorder(shiftCommandK);
    recorder.beginRecording();

    recorder.capture(commandK);

    EXPECT_EQ(recorder.conflictMessage().value(), "That shortcut is already used by \"Work.\"");
    EXPECT_EQ(recorder.shortcut().value(), shiftCommandK);
    EXPECT_FALSE(recorder.isRecording().value());
    EXPECT_TRUE(commits.empty());

    recorder.beginRecording();
    recorder.capture(shiftCommandK);
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
    EXPECT_EQ(commits, (std::vector<std::optional<KeyboardShortcut>>{shiftCommandK}));
}

TEST_F(ShortcutRecorderViewModelTest, TheGroupsAreAskedForAtEveryCapture) {
    auto recorder = makeRecorder(std::nullopt);
    const KeyboardShortcut controlA{0, KeyboardShortcut::control};
    recorder.capture(controlA);
    EXPECT_EQ(recorder.shortcut().value(), controlA);

    groups.front().shortcut = KeyboardShortcut{1, KeyboardShortcut::control};
    recorder.capture(KeyboardShortcut{1, KeyboardShortcut::control});

    EXPECT_EQ(recorder.shortcut().value(), controlA);
    EXPECT_TRUE(recorder.conflictMessage().value());
}

TEST_F(ShortcutRecorderViewModelTest, AnAcceptedCaptureOrANewRecordingClearsTheConflict) {
    auto recorder = makeRecorder(std::nullopt);
    recorder.capture(commandK);
    ASSERT_TRUE(recorder.conflictMessage().value());
    recorder.beginRecording();
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);

    recorder.capture(commandK);
    recorder.capture(KeyboardShortcut{kKey, KeyboardShortcut::control});

    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
    EXPECT_EQ(recorder.shortcut().value(), (KeyboardShortcut{kKey, KeyboardShortcut::control}));
}

TEST_F(ShortcutRecorderViewModelTest, CapsLockMakesADifferentShortcutThatDoesNotConflict) {
    auto recorder = makeRecorder(std::nullopt);
    recorder.beginRecording();

    EXPECT_TRUE(recorder.keyDown("K", {.command = true, .capsLock = true}));

    EXPECT_EQ(recorder.shortcut().value(), (KeyboardShortcut{kKey, 0x110000}));
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
    EXPECT_EQ(recorder.buttonLabel(), "\u2318K");
}

TEST_F(ShortcutRecorderViewModelTest, ClearingCommitsNoShortcutEvenWhenNoneWasSet) {
    auto recorder = makeRecorder(std::nullopt);
    recorder.capture(commandK); // leaves a conflict message
    recorder.beginRecording();

    recorder.clear();

    EXPECT_FALSE(recorder.isRecording().value());
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
    EXPECT_EQ(recorder.shortcut().value(), std::nullopt);
    EXPECT_EQ(commits, (std::vector<std::optional<KeyboardShortcut>>{std::nullopt}));
}

// Key presses

TEST_F(ShortcutRecorderViewModelTest, AKeyWithoutCommandOrControlIsRefusedBeforeItIsStored) {
    auto recorder = makeRecorder(std::nullopt);
    std::vector<bool> recordingStates;
    const auto subscription = recorder.isRecording().observe(
        [&](bool recording) { recordingStates.push_back(recording); });
    for (const EventModifiers modifiers :
         {EventModifiers{}, EventModifiers{.shift = true}, EventModifiers{.option = true},
          EventModifiers{.shift = true, .option = true}}) {
        recorder.beginRecording();
        EXPECT_EQ(recorder.buttonLabel(), "Press a key combination\u2026");
        EXPECT_TRUE(recorder.keyDown("a", modifiers));
        EXPECT_EQ(recorder.conflictMessage().value(),
                  "Add \u2318 or \u2303: macOS only allows shortcuts with Command or Control.");
    }
    EXPECT_TRUE(commits.empty());
    EXPECT_EQ(recorder.shortcut().value(), std::nullopt);
    EXPECT_EQ(recordingStates,
              (std::vector<bool>{true, false, true, false, true, false, true, false}));

    recorder.beginRecording();
    EXPECT_TRUE(recorder.keyDown("a", {.option = true, .control = true}));
    EXPECT_EQ(commits, (std::vector<std::optional<KeyboardShortcut>>{KeyboardShortcut{
                           0, KeyboardShortcut::control | KeyboardShortcut::option}}));
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
}

TEST_F(ShortcutRecorderViewModelTest, KeysOutsideTheTablePassOnAndRecordingGoesOn) {
    auto recorder = makeRecorder(std::nullopt);
    recorder.beginRecording();

    EXPECT_FALSE(recorder.keyDown("!", {.shift = true}));
    EXPECT_FALSE(recorder.keyDown("", {.function = true}));
    EXPECT_FALSE(recorder.keyDown("\r", {}));
    EXPECT_FALSE(recorder.keyDown("\u00e5", {.option = true}));

    EXPECT_TRUE(recorder.isRecording().value());
    EXPECT_TRUE(commits.empty());
    EXPECT_EQ(recorder.conflictMessage().value(), std::nullopt);
}

TEST_F(ShortcutRecorderViewModelTest, EscapeEndsARecordingKeepingTheShortcutAndKeysPassOnWhenIdle) {
    auto recorder = makeRecorder(shiftCommandK);
    recorder.beginRecording();

    EXPECT_TRUE(recorder.escape());
    EXPECT_FALSE(recorder.isRecording().value());
    EXPECT_EQ(recorder.shortcut().value(), shiftCommandK);
    EXPECT_TRUE(commits.empty());

    EXPECT_FALSE(recorder.escape());
    EXPECT_FALSE(recorder.keyDown("a", {.command = true}));
    EXPECT_TRUE(commits.empty());
}

TEST(ShortcutRecorderLifetimeTest, ACommitMayDestroyTheRecorderThatMadeIt) {
    // The Group detail pane is rebuilt when the Groups change, recorder and all.
    std::unique_ptr<ShortcutRecorderViewModel> recorder;
    int commits = 0;
    const auto makeRecorder = [&] {
        return std::make_unique<ShortcutRecorderViewModel>(
            GroupID::random(), std::nullopt, [] { return std::vector<Group>{}; },
            [&, marker = std::make_shared<int>(1)](std::optional<KeyboardShortcut>) {
                recorder.reset();
                commits += *marker;
            });
    };
    recorder = makeRecorder();
    recorder->beginRecording();
    EXPECT_TRUE(recorder->keyDown("k", {.command = true}));
    EXPECT_EQ(recorder, nullptr);

    recorder = makeRecorder();
    recorder->clear();
    EXPECT_EQ(recorder, nullptr);
    EXPECT_EQ(commits, 2);
}

} // namespace
} // namespace corvel
