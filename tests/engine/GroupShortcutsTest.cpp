#include "engine/GroupShortcuts.h"

#include "async/ManualLoop.h"
#include "platform/HotKeyModifiers.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using Kind = HotKeyRefusal::Kind;
using M = platform::HotKeyModifiers;
using Keys = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

constexpr std::uint16_t key1 = 18, key2 = 19, keyN = 45, keyQ = 12, keyK = 40;
constexpr std::uint64_t controlOption = KeyboardShortcut::control | KeyboardShortcut::option;

// The Groups' shortcuts on the default simulated desktop, whose system holds
// Control-Command-Q and whose Quillfeather holds Control-Option-N.
struct GroupShortcutsTest : ::testing::Test {
    async::ManualLoop loop;
    test::MemoryLog log;
    std::shared_ptr<sim::SimulatedDesktop> desktop =
        sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::defaultScenario());
    std::vector<GroupID> pressed;
    int changes = 0;
    std::shared_ptr<GroupShortcuts> shortcuts = makeShortcuts();
    Group work{GroupID::random(), "Work", "folder.fill", KeyboardShortcut{key1, controlOption}, 0};
    Group media{GroupID::random(), "Media", "folder.fill", std::nullopt, 1};

    std::shared_ptr<GroupShortcuts> makeShortcuts() {
        auto made =
            GroupShortcuts::create(HotKeyRegistry::create(desktop, log), log,
                                   [this](const GroupID& group) { pressed.push_back(group); });
        made->setOnChange([this] { ++changes; });
        return made;
    }
    void press(std::uint16_t keyCode, std::uint64_t flags) {
        desktop->pressKey(keyCode, flags);
        loop.runUntilIdle();
    }
};

TEST_F(GroupShortcutsTest, exactlyTheGroupsShortcutsAreRegisteredAndAPressNamesItsGroup) {
    shortcuts->sync({media, work});
    EXPECT_EQ(desktop->registeredHotKeys(), (Keys{{key1, M::controlKey | M::optionKey}}));
    EXPECT_EQ(changes, 1);
    press(key1, controlOption);
    EXPECT_EQ(pressed, std::vector<GroupID>{work.id});

    // Recorded anew: the old combination is let go.
    work.shortcut = KeyboardShortcut{key2, controlOption};
    media.shortcut = KeyboardShortcut{key1, controlOption};
    shortcuts->sync({work, media});
    EXPECT_EQ(desktop->registeredHotKeys().size(), 2u);
    press(key1, controlOption);
    press(key2, controlOption);
    EXPECT_EQ(pressed, (std::vector<GroupID>{work.id, media.id, work.id}));

    // Cleared, then deleted: nothing answers any more.
    work.shortcut.reset();
    shortcuts->sync({work, media});
    shortcuts->sync({});
    EXPECT_TRUE(desktop->registeredHotKeys().empty());
    press(key1, controlOption);
    press(key2, controlOption);
    EXPECT_EQ(pressed.size(), 3u);
}

TEST_F(GroupShortcutsTest, aRefusedShortcutIsKeptPerGroupWithItsReasonAndLoggedOnce) {
    Group taken{GroupID::random(), "Drafts", "folder.fill", KeyboardShortcut{keyN, controlOption},
                2};
    Group system{GroupID::random(), "Lock", "folder.fill",
                 KeyboardShortcut{keyQ, KeyboardShortcut::control | KeyboardShortcut::command}, 3};
    Group optionOnly{GroupID::random(), "Alt", "folder.fill",
                     KeyboardShortcut{keyK, KeyboardShortcut::option}, 4};
    Group twin{GroupID::random(), "Twin", "folder.fill", work.shortcut, 5};
    shortcuts->sync({twin, optionOnly, system, taken, work});

    EXPECT_FALSE(shortcuts->refusal(work.id));
    EXPECT_EQ(shortcuts->refusal(taken.id)->kind(), Kind::takenByApplication);
    EXPECT_EQ(shortcuts->refusal(system.id)->kind(), Kind::takenBySystem);
    EXPECT_EQ(shortcuts->refusal(optionOnly.id)->kind(), Kind::notAllowed);
    EXPECT_EQ(shortcuts->refusal(twin.id)->kind(), Kind::inUseByCorvel);
    EXPECT_FALSE(shortcuts->refusal(media.id));
    EXPECT_EQ(desktop->registeredHotKeys().size(), 1u);
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Corvel: the shortcut of the Group \"Drafts\" was not registered — "
                        "another application uses it (OSStatus -9878)");

    // Asked again at every sync, told once.
    shortcuts->sync({twin, optionOnly, system, taken, work});
    EXPECT_EQ(log.lines().size(), 4u);
    EXPECT_EQ(shortcuts->refusal(taken.id)->kind(), Kind::takenByApplication);
    // Once its application has quit, the combination is free.
    desktop->launch("/usr/bin/killall", {"Quillfeather"});
    shortcuts->sync({twin, optionOnly, system, taken, work});
    EXPECT_FALSE(shortcuts->refusal(taken.id));
}

TEST_F(GroupShortcutsTest, whileSuspendedNoShortcutAnswersAndAtItsEndTheSameSetIsBack) {
    shortcuts->sync({work});
    auto suspension = shortcuts->suspend();
    auto overlapping = shortcuts->suspend();
    EXPECT_TRUE(desktop->registeredHotKeys().empty());
    press(key1, controlOption);
    suspension.reset();
    EXPECT_TRUE(desktop->registeredHotKeys().empty());
    const int before = changes;
    overlapping.reset();
    EXPECT_EQ(changes, before + 1);
    EXPECT_EQ(desktop->registeredHotKeys(), (Keys{{key1, M::controlKey | M::optionKey}}));
    press(key1, controlOption);
    EXPECT_EQ(pressed, std::vector<GroupID>{work.id});
}

TEST_F(GroupShortcutsTest, goingAwayGivesUpEveryHotKey) {
    shortcuts->sync({work});
    shortcuts.reset();
    EXPECT_TRUE(desktop->registeredHotKeys().empty());
    // The registry's handler, the only one installed, is gone too.
    EXPECT_EQ(desktop->removeEventHandler(1), platform::HotKeyStatus::paramErr);
}

} // namespace
} // namespace corvel
