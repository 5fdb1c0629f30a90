#include "app/WholeRun.h"

#include "engine/GroupShortcuts.h"
#include "engine/StripEffectInterpreter.h"
#include "settings_ui/GroupDetailView.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "ui/StripPanel.h"
#include "ui/StripPlacement.h"
#include "ui/StripRowButton.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

using namespace corvel::test;

struct WholeRunFixture : ::testing::Test, WholeRun {};

} // namespace

// A Group's name is applied at every key typed, and each change of the
// Groups puts the filed items back; the passes must not undo each other.
TEST_F(WholeRunFixture, renamingAGroupKeyByKeyKeepsEveryFiledItemHidden) {
    launch();
    createGroupsAndFile();
    person->renameGroup("Work", "Renamed 3");
    loop.advance(5s);
    EXPECT_TRUE(person->group("Renamed 3"));
    EXPECT_TRUE(allFiledHidden());
}

TEST_F(WholeRunFixture, aGroupIconOpensItsStripUnderTheIconAndARowOpensTheRealItemsMenu) {
    launch();
    createGroupsAndFile();
    delegate->settingsWindowController()->window().close();

    const auto work = *person->groupIcon("Work");
    person->clickBarItem(work);
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 2; }));
    const QRect panel = delegate->stripController()->panel().geometry();
    EXPECT_EQ(panel.left(), static_cast<int>(work.frame.origin.x));
    EXPECT_EQ(panel.top(), static_cast<int>(work.frame.maxY() + StripPlacement::gapBelowIcon));

    person->pressStripRow(driftwood);
    ASSERT_TRUE(advanceUntil([&] {
        const auto menus = desktop->openMenus();
        return menus.size() == 1 && menus[0].ownerPid == desktop->pidOf(driftwood);
    }));
    EXPECT_TRUE(person->isItemInView(driftwood));
    EXPECT_EQ(person->stripRowCount(), 0);

    // A person reads the menu before closing it.
    loop.advance(1s);
    desktop->pressKey(53);
    ASSERT_TRUE(advanceUntil([&] { return !person->isItemInView(driftwood); }));
    EXPECT_TRUE(desktop->openMenus().empty());
}

TEST_F(WholeRunFixture,
       groupsMadeInTheSettingsStandInTheMenuBarInOrderAndTheirItemsStayHiddenAcrossARelaunch) {
    launch();
    createGroupsAndFile();
    const auto icons = person->groupIconsLeftToRight();
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].windowNumber, person->groupIcon("Work")->windowNumber);
    EXPECT_EQ(icons[1].windowNumber, person->groupIcon("Media")->windowNumber);
    EXPECT_TRUE(allFiledHidden());
    EXPECT_TRUE(person->isItemInView("com.example.kestrel"));
    EXPECT_TRUE(alerts->shown().empty());
    quit();

    // A fresh desktop shows every item, as after a restart of the computer.
    launch();
    EXPECT_TRUE(advanceUntil([&] { return allFiledHidden(); }, 10s));
    EXPECT_TRUE(person->isItemInView("com.example.kestrel"));
    EXPECT_EQ(person->groupIconsLeftToRight().size(), 2u);
}

// Group shortcuts, pressed on the simulated desktop as a person's hand does.

namespace {

constexpr auto controlOption = Qt::ControlModifier | Qt::AltModifier;

struct ShortcutRunFixture : WholeRunFixture {
    void pressShortcut(Qt::Key key) { pressKey(key, controlOption); }
    bool stripOpen() const {
        return delegate->stripController()->panel().isVisible() &&
               delegate->stripController()->openGroup() && person->stripRowCount() > 0;
    }
};

} // namespace

TEST_F(ShortcutRunFixture, aRecordedShortcutTogglesTheStripUnderItsIconAndTheKeyboardPressesARow) {
    launch();
    createGroupsAndFile();
    person->recordShortcut("Work", Qt::Key_1, controlOption);
    ASSERT_EQ(person->group("Work")->shortcut, (KeyboardShortcut{18, 0xC0000}));
    EXPECT_FALSE(person->shortcutRefusalShown());
    delegate->settingsWindowController()->window().close();

    pressShortcut(Qt::Key_1);
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 2; }));
    const auto work = *person->groupIcon("Work");
    EXPECT_EQ(delegate->stripController()->panel().geometry().left(),
              static_cast<int>(work.frame.origin.x));
    const auto rows = person->stripRows();
    EXPECT_EQ(focusedStripRow(), rows.front());

    pressShortcut(Qt::Key_1);
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 0; }));

    pressShortcut(Qt::Key_1);
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 2; }));
    pressKey(Qt::Key_Down);
    EXPECT_EQ(focusedStripRow(), rows.back());
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(advanceUntil([&] {
        const auto menus = desktop->openMenus();
        return menus.size() == 1 && menus[0].ownerPid == desktop->pidOf(rows.back());
    }));
    EXPECT_TRUE(person->isItemInView(rows.back()));
    EXPECT_EQ(person->stripRowCount(), 0);
}

TEST_F(ShortcutRunFixture, clearedDeletedAndTakenShortcutsOpenNothingAndARelaunchRegistersAgain) {
    launch();
    createGroupsAndFile();
    // Quillfeather, which holds ⌃⌥N, is not running while it is recorded.
    desktop->launch("/usr/bin/killall", {"Quillfeather"});
    person->recordShortcut("Media", Qt::Key_N, controlOption);
    person->recordShortcut("Work", Qt::Key_1, controlOption);
    EXPECT_FALSE(person->shortcutRefusalShown());
    EXPECT_EQ(desktop->registeredHotKeys().size(), 2u);

    // Cleared: ⌃⌥1 goes to the front application and no Strip opens.
    QTest::mouseClick(delegate->settingsWindowController()
                          ->view()
                          .groupDetailView()
                          ->shortcutRecorder()
                          ->clearButton(),
                      Qt::LeftButton);
    EXPECT_EQ(desktop->registeredHotKeys().size(), 1u);
    delegate->settingsWindowController()->window().close();
    pressShortcut(Qt::Key_1);
    loop.advance(500ms);
    EXPECT_FALSE(stripOpen());

    delegate->settingsWindowController()->show();
    person->recordShortcut("Work", Qt::Key_1, controlOption);
    quit();

    // Relaunched beside a running Quillfeather: ⌃⌥N stays stored but is
    // refused, and ⌃⌥1 is registered again.
    launch();
    EXPECT_EQ(person->group("Media")->shortcut, (KeyboardShortcut{45, 0xC0000}));
    const auto lines = log->lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Corvel: the shortcut of the Group \"Media\" was not registered — another "
                        "application uses it (OSStatus -9878)"),
              lines.end());
    delegate->settingsWindowController()->show();
    person->showGroupPane("Media");
    EXPECT_EQ(person->shortcutRefusalShown(), "Another application uses this shortcut.");
    delegate->settingsWindowController()->window().close();
    pressShortcut(Qt::Key_1);
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 2; }));
    pressShortcut(Qt::Key_1);
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 0; }));

    // Deleted with its Group: nothing answers ⌃⌥1 any more.
    delegate->settingsWindowController()->show();
    person->showGroupPane("Work");
    QTest::mouseClick(
        delegate->settingsWindowController()->view().groupDetailView()->deleteButton(),
        Qt::LeftButton);
    ASSERT_TRUE(advanceUntil([&] {
        QCoreApplication::processEvents();
        return !person->group("Work");
    }));
    EXPECT_TRUE(desktop->registeredHotKeys().empty());
    delegate->settingsWindowController()->window().close();
    pressShortcut(Qt::Key_1);
    loop.advance(500ms);
    EXPECT_FALSE(stripOpen());
}

// Show All lasts thirty seconds though an application quits meanwhile; that
// application comes back where it stood then, out in the menu bar, and its
// filed item goes back into its Group by itself.
TEST_F(WholeRunFixture, showAllLastsThirtySecondsAndAnItemOfALaterStartGoesBackIntoItsGroup) {
    launch();
    createGroupsAndFile();
    delegate->settingsWindowController()->window().close();
    person->clickBarItem(*person->primaryIcon());
    ASSERT_TRUE(advanceUntil([&] { return person->hasOwnMenuOpen(); }));
    person->chooseFromOwnMenu("Show All Items for 30 Seconds");
    ASSERT_TRUE(advanceUntil([&] { return allFiledInView(); }, 2s));
    const auto shownAt = loop.now();
    desktop->quitApplication(driftwood);
    ASSERT_TRUE(advanceUntil(
        [&] { return !person->isItemInView(orrery) && !person->isItemInView(cobble); }, 40s));
    const auto shownFor = loop.now() - shownAt;
    EXPECT_GE(shownFor, 29s);
    EXPECT_LE(shownFor, 31s);

    desktop->launchApplication(driftwood);
    ASSERT_TRUE(advanceUntil([&] { return desktop->pidOf(driftwood).has_value(); }, 1s));
    EXPECT_TRUE(advanceUntil([&] { return !person->isItemInView(driftwood); }, 3s));
    person->clickBarItem(*person->groupIcon("Work"));
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 2; }, 2s));
    auto rows = person->stripRows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::string>{driftwood, orrery}));
}

// The person keeps the Layout pane open while an application quits and
// starts again; the pane follows without being shown again.
TEST_F(WholeRunFixture, anOpenLayoutPaneFollowsTheItemsOfApplicationsThatQuitAndStart) {
    launch();
    delegate->settingsWindowController()->show();
    person->showLayoutPane();
    ASSERT_TRUE(advanceUntil([&] { return person->isTileListed(driftwood); }, 2s));

    desktop->quitApplication(driftwood);
    EXPECT_TRUE(advanceUntil([&] { return !person->isTileListed(driftwood); }, 2s));
    desktop->launchApplication(driftwood);
    EXPECT_TRUE(advanceUntil([&] { return person->isTileListed(driftwood); }, 2s));
}
