#include "app/WholeRun.h"

#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "ui/StripPanel.h"
#include "ui/StripPlacement.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

using namespace corvel::test;

struct WholeRunFixture : ::testing::Test, WholeRun {};

} // namespace

TEST_F(WholeRunFixture, groupsMadeInTheSettingsStandInTheMenuBarInOrderAndFiledItemsLeaveIt) {
    launch();
    createGroupsAndFile();
    const auto icons = person->groupIconsLeftToRight();
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].windowNumber, person->groupIcon("Work")->windowNumber);
    EXPECT_EQ(icons[1].windowNumber, person->groupIcon("Media")->windowNumber);
    EXPECT_TRUE(allFiledHidden());
    EXPECT_TRUE(person->isItemInView("com.example.kestrel"));
    EXPECT_TRUE(alerts->shown().empty());
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

TEST_F(WholeRunFixture, showAllRevealsEveryFiledItemForThirtySeconds) {
    launch();
    createGroupsAndFile();
    person->clickBarItem(*person->primaryIcon());
    ASSERT_TRUE(advanceUntil([&] { return person->hasOwnMenuOpen(); }));
    person->chooseFromOwnMenu("Show All Items for 30 Seconds");
    ASSERT_TRUE(advanceUntil([&] { return allFiledInView(); }, 2s));
    const auto shownAt = loop.now();
    ASSERT_TRUE(advanceUntil([&] { return allFiledHidden(); }, 40s));
    const auto shownFor = loop.now() - shownAt;
    EXPECT_GE(shownFor, 29s);
    EXPECT_LE(shownFor, 31s);
}

TEST_F(WholeRunFixture, aRelaunchWithTheSameStorePutsEveryFiledItemBackIntoTheHiddenRegion) {
    launch();
    createGroupsAndFile();
    quit();

    // A fresh desktop shows every item, as after a restart of the computer.
    launch();
    EXPECT_TRUE(advanceUntil([&] { return allFiledHidden(); }, 10s));
    EXPECT_TRUE(person->isItemInView("com.example.kestrel"));
    EXPECT_EQ(person->groupIconsLeftToRight().size(), 2u);
}
