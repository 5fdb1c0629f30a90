// Find Item… on the simulated desktop, worked as a person's hand does.
#include "app/WholeRun.h"
#include "domain/WellKnownGroup.h"
#include "platform/HotKeyModifiers.h"
#include "support/RunTask.h"
#include "ui/ItemSearchPanel.h"
#include "ui/ItemSearchWindowController.h"
#include "ui/StripPlacement.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;
using namespace std::chrono_literals;

namespace {

inline constexpr const char* lumen = "org.example.lumen-notes";
inline constexpr const char* kestrel = "com.example.kestrel";
constexpr auto controlAndOption = Qt::ControlModifier | Qt::AltModifier;

struct ItemSearchRunFixture : ::testing::Test, WholeRun {
    /// On a new Mac ⌃⌥Space selects the next input source; this person has
    /// turned that off, as one does with a single keyboard layout.
    void freeControlOptionSpace() {
        using M = platform::HotKeyModifiers;
        std::erase_if(scenario.hotKeys, [](const sim::Scenario::HotKey& key) {
            return key.keyCode == 49 && key.modifiers == (M::controlKey | M::optionKey);
        });
    }

    void openSearchWith(Qt::Key key) {
        pressKey(key, controlAndOption);
        ASSERT_TRUE(advanceUntil([&] { return person->isSearchShown(); }));
    }

    /// Files the application's item into the Hidden Group, as an earlier run
    /// would have, and launches again.
    void relaunchWithHiddenGroupItem(const std::string& bundle) {
        const auto items = test::runTask(loop, delegate->backend()->currentItems());
        const auto item = std::find_if(items.begin(), items.end(), [&](const ObservedItem& i) {
            return i.identity.bundleID == bundle;
        });
        ASSERT_NE(item, items.end());
        delegate->store()->upsertItem(
            Item{ItemID::random(), item->identity, 0, WellKnownGroup::hidden});
        quit();
        launch();
        ASSERT_TRUE(advanceUntil([&] { return !person->isItemInView(bundle); }, 10s));
    }

    void openSearchFromTheMenu() {
        person->clickBarItem(*person->primaryIcon());
        ASSERT_TRUE(advanceUntil([&] { return person->hasOwnMenuOpen(); }));
        person->chooseFromOwnMenu("Find Item\u2026");
        ASSERT_TRUE(advanceUntil([&] { return person->isSearchShown(); }));
    }

    /// Return on the chosen row opens the item's own menu; once the person
    /// has read it and pressed Escape, the item stands where `backInView`
    /// says.
    void pressChosenRowAndCloseItsMenu(const std::string& bundle, bool backInView) {
        pressKey(Qt::Key_Return);
        ASSERT_TRUE(advanceUntil([&] {
            const auto menus = desktop->openMenus();
            return menus.size() == 1 && menus[0].ownerPid == desktop->pidOf(bundle);
        }));
        EXPECT_FALSE(person->isSearchShown());
        EXPECT_TRUE(person->isItemInView(bundle)) << "in view while its menu is open";
        loop.advance(1s);
        desktop->pressKey(53);
        ASSERT_TRUE(advanceUntil([&] {
            return desktop->openMenus().empty() && person->isItemInView(bundle) == backInView;
        }));
        loop.advance(3s);
        EXPECT_EQ(person->isItemInView(bundle), backInView);
    }
};

} // namespace

TEST_F(ItemSearchRunFixture,
       itsShortcutOpensFindItemUnderThePrimaryIconAndReturnPressesAFiledItem) {
    freeControlOptionSpace();
    launch();
    createGroupsAndFile();
    delegate->settingsWindowController()->window().close();

    openSearchWith(Qt::Key_Space);
    const auto primary = *person->primaryIcon();
    const QRect panel = delegate->searchController()->panel().geometry();
    EXPECT_EQ(panel.left(), static_cast<int>(primary.frame.origin.x));
    EXPECT_EQ(panel.top(), static_cast<int>(primary.frame.maxY() + StripPlacement::gapBelowIcon));
    const auto everything = person->searchRows();
    EXPECT_GE(everything.size(), 12u);
    EXPECT_EQ(std::count(everything.begin(), everything.end(), "Driftwood"), 1);
    EXPECT_EQ(std::count(everything.begin(), everything.end(), "Clock"), 0) << "the system's own";

    person->typeIntoSearch("dri");
    EXPECT_EQ(person->searchRows(), std::vector<std::string>{"Driftwood"});
    EXPECT_EQ(person->chosenSearchRow(), "Driftwood");
    pressChosenRowAndCloseItsMenu(driftwood, false);
    EXPECT_TRUE(allFiledHidden());
}

TEST_F(ItemSearchRunFixture, findItemPressesAHiddenGroupItemAndPutsItBackAndAVisibleOneInPlace) {
    freeControlOptionSpace();
    launch();
    relaunchWithHiddenGroupItem(lumen);

    openSearchWith(Qt::Key_Space);
    person->typeIntoSearch("LUMEN");
    EXPECT_EQ(person->searchRows(), std::vector<std::string>{"Lumen Notes"});
    pressChosenRowAndCloseItsMenu(lumen, false);

    const auto before = person->applicationItem(kestrel)->frame;
    openSearchWith(Qt::Key_Space);
    EXPECT_TRUE(person->searchRows().size() > 1) << "the text is empty again";
    person->typeIntoSearch("m");
    const auto found = person->searchRows();
    ASSERT_GE(found.size(), 3u);
    EXPECT_EQ(std::vector(found.begin(), found.begin() + 3),
              (std::vector<std::string>{"Mossgrid", "Emberstat Memory", "Kestrel Mail"}));
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    ASSERT_EQ(person->chosenSearchRow(), "Kestrel Mail");
    pressChosenRowAndCloseItsMenu(kestrel, true);
    EXPECT_EQ(person->applicationItem(kestrel)->frame, before);
}

TEST_F(ItemSearchRunFixture,
       escapeAClickElsewhereOrTheShortcutAgainClosesTheSearchAndTheNextOpeningStartsAfresh) {
    freeControlOptionSpace();
    launch();
    openSearchFromTheMenu();
    person->typeIntoSearch("zzz");
    EXPECT_TRUE(person->searchRows().empty());
    pressKey(Qt::Key_Escape);
    ASSERT_TRUE(advanceUntil([&] { return !person->isSearchShown(); }));

    openSearchFromTheMenu();
    EXPECT_TRUE(delegate->searchController()->panel().field().text().isEmpty());
    person->clickBarItem(*person->applicationItem(kestrel));
    ASSERT_TRUE(advanceUntil([&] { return !person->isSearchShown(); }));
    EXPECT_FALSE(delegate->searchController()->hasOutsideClickMonitor());

    openSearchWith(Qt::Key_Space);
    pressKey(Qt::Key_Space, controlAndOption);
    ASSERT_TRUE(advanceUntil([&] { return !person->isSearchShown(); }));
}

TEST_F(ItemSearchRunFixture,
       aTakenShortcutIsRefusedUnderItsRecorderAndAChangedOrClearedOneOutlastsARelaunch) {
    launch();
    const auto lines = log->lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "Corvel: the shortcut of Find Item\u2026 was not registered — macOS uses it"),
        lines.end());
    delegate->settingsWindowController()->show();
    person->createGroup("Work");
    person->recordShortcut("Work", Qt::Key_1, controlAndOption);
    person->showHiddenGroupPane();
    EXPECT_EQ(person->shortcutShown(), "\u2303\u2325Space");
    EXPECT_EQ(person->shortcutRefusalShown(), "macOS uses this shortcut.");

    person->recordFindItemShortcut(Qt::Key_1, controlAndOption);
    EXPECT_EQ(person->shortcutShown(), "\u2303\u2325Space");
    EXPECT_EQ(delegate->settingsWindowController()
                  ->view()
                  .findItemShortcutView()
                  ->recorder()
                  ->conflictLabel()
                  ->text(),
              "That shortcut is already used by \"Work.\"");
    person->recordFindItemShortcut(Qt::Key_F, controlAndOption);
    EXPECT_EQ(person->shortcutShown(), "\u2303\u2325F");
    EXPECT_EQ(person->shortcutRefusalShown(), std::nullopt);
    delegate->settingsWindowController()->window().close();
    openSearchWith(Qt::Key_F);
    pressKey(Qt::Key_Escape);
    quit();

    launch();
    openSearchWith(Qt::Key_F);
    pressKey(Qt::Key_Escape);
    delegate->settingsWindowController()->show();
    person->showHiddenGroupPane();
    person->clearShortcut();
    EXPECT_EQ(desktop->registeredHotKeys().size(), 1u) << "Work's alone";
    quit();

    launch();
    EXPECT_EQ(desktop->registeredHotKeys().size(), 1u);
    delegate->settingsWindowController()->show();
    person->showHiddenGroupPane();
    EXPECT_EQ(person->shortcutShown(), "Record Shortcut\u2026");
    EXPECT_EQ(person->shortcutRefusalShown(), std::nullopt);
}
