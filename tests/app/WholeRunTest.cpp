#include "app/CorvelAppDelegate.h"
#include "app/DelegateServices.h"
#include "app/ScreenMapping.h"
#include "app/SimulatedPerson.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend_mac26/Mac26Backend.h"
#include "domain/WellKnownGroup.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"
#include "ui/ItemSearchPanel.h"
#include "ui/ItemSearchWindowController.h"
#include "ui/StripPanel.h"
#include "ui/StripPlacement.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

constexpr const char* driftwood = "com.example.driftwood";
constexpr const char* orrery = "net.example.orrery";
constexpr const char* cobble = "com.example.cobble";
constexpr const char* lumen = "org.example.lumen-notes";
constexpr const char* kestrel = "com.example.kestrel";

// Corvel on the simulated desktop with the real backend, store and interface,
// all on one manual loop: minutes of use in virtual time.
struct WholeRunFixture : ::testing::Test {
    async::ManualLoop loop;
    test::TemporaryFolder folder;
    std::shared_ptr<test::MemoryLog> log = std::make_shared<test::MemoryLog>();
    std::shared_ptr<test::ScriptedModalAlerts> alerts =
        std::make_shared<test::ScriptedModalAlerts>();
    sim::Scenario scenario = sim::ScenarioLoader::defaultScenario();
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<app::CorvelAppDelegate> delegate;
    std::unique_ptr<app::SimulatedPerson> person;

    ~WholeRunFixture() override { quit(); }

    void launch() {
        desktop = sim::SimulatedDesktop::create(loop, scenario);
        const double height = scenario.screen.height;
        auto ports = desktop->services();
        ports.systemLog = log;
        delegate = app::CorvelAppDelegate::create(test::delegateServices(
            loop, *desktop, log, alerts, folder.path(),
            [ports, this] { return std::make_shared<Mac26Backend>("Corvel", ports, loop, loop); },
            [] {},
            [height](const platform::Point& origin, const QSize& size) {
                return app::ScreenMapping{}.topLeftOf(origin, size, height);
            }));
        person = std::make_unique<app::SimulatedPerson>(desktop, delegate);
        delegate->applicationDidFinishLaunching();
        ASSERT_TRUE(advanceUntil([&] { return delegate->launchTask().isDone(); }));
    }

    // Everything Corvel does at quit, then nothing left behind.
    void quit() {
        if (!delegate)
            return;
        auto flushed = async::spawn(loop, delegate->flushStore());
        advanceUntil([&] { return flushed.isDone(); });
        person.reset();
        delegate.reset();
        desktop.reset();
        loop.runUntilIdle();
    }

    bool advanceUntil(const std::function<bool()>& condition, async::Duration limit = 60s) {
        const auto deadline = loop.now() + limit;
        while (!condition()) {
            if (loop.now() >= deadline)
                return false;
            loop.advance(10ms);
        }
        return true;
    }

    void createGroupsAndFile() {
        delegate->settingsWindowController()->show();
        person->createGroup("Work");
        person->createGroup("Media");
        ASSERT_TRUE(advanceUntil([&] { return person->groupIconsLeftToRight().size() == 2; }));
        person->showLayoutPane();
        for (auto [bundle, group] : {std::pair{driftwood, "Work"}, std::pair{orrery, "Work"},
                                     std::pair{cobble, "Media"}}) {
            ASSERT_TRUE(advanceUntil([&] { return person->applicationItem(bundle).has_value(); }));
            person->dropIntoGroup(bundle, group);
            ASSERT_TRUE(advanceUntil([&] { return person->isTileInLane(bundle, group); }))
                << bundle;
        }
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
        person->pressKeyInSearch(Qt::Key_Return);
        ASSERT_TRUE(advanceUntil([&] {
            const auto menus = desktop->openMenus();
            return menus.size() == 1 && menus[0].ownerPid == desktop->pidOf(bundle);
        }));
        EXPECT_FALSE(person->isSearchShown());
        EXPECT_TRUE(person->isItemInView(bundle)) << "in view while its menu is open";
        loop.advance(1s);
        desktop->pressKey(53);
        ASSERT_TRUE(advanceUntil([&] {
            return desktop->openMenus().empty() && person->isItemInView(bundle) == backInView &&
                   delegate->store() && !person->isSearchShown();
        }));
        loop.advance(3s);
        EXPECT_EQ(person->isItemInView(bundle), backInView);
    }

    bool allFiledHidden() const {
        return !person->isItemInView(driftwood) && !person->isItemInView(orrery) &&
               !person->isItemInView(cobble);
    }
    bool allFiledInView() const {
        return person->isItemInView(driftwood) && person->isItemInView(orrery) &&
               person->isItemInView(cobble);
    }
};

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

TEST_F(WholeRunFixture, findItemListsEveryItemUnderThePrimaryIconAndReturnPressesAFiledOne) {
    launch();
    createGroupsAndFile();
    delegate->settingsWindowController()->window().close();

    openSearchFromTheMenu();
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

TEST_F(WholeRunFixture, findItemPressesAHiddenGroupItemAndPutsItBackAndPressesAVisibleOneInPlace) {
    launch();
    relaunchWithHiddenGroupItem(lumen);

    openSearchFromTheMenu();
    person->typeIntoSearch("LUMEN");
    EXPECT_EQ(person->searchRows(), std::vector<std::string>{"Lumen Notes"});
    pressChosenRowAndCloseItsMenu(lumen, false);

    const auto before = person->applicationItem(kestrel)->frame;
    openSearchFromTheMenu();
    EXPECT_TRUE(person->searchRows().size() > 1) << "the text is empty again";
    person->typeIntoSearch("m");
    const auto found = person->searchRows();
    ASSERT_GE(found.size(), 3u);
    EXPECT_EQ(std::vector(found.begin(), found.begin() + 3),
              (std::vector<std::string>{"Mossgrid", "Emberstat Memory", "Kestrel Mail"}));
    person->pressKeyInSearch(Qt::Key_Down);
    person->pressKeyInSearch(Qt::Key_Down);
    ASSERT_EQ(person->chosenSearchRow(), "Kestrel Mail");
    pressChosenRowAndCloseItsMenu(kestrel, true);
    EXPECT_EQ(person->applicationItem(kestrel)->frame, before);
}

TEST_F(WholeRunFixture, escapeOrAClickElsewhereClosesTheSearchAndTheNextOpeningStartsAfresh) {
    launch();
    openSearchFromTheMenu();
    person->typeIntoSearch("zzz");
    EXPECT_TRUE(person->searchRows().empty());
    person->pressKeyInSearch(Qt::Key_Escape);
    ASSERT_TRUE(advanceUntil([&] { return !person->isSearchShown(); }));

    openSearchFromTheMenu();
    EXPECT_TRUE(delegate->searchController()->panel().field().text().isEmpty());
    person->clickBarItem(*person->applicationItem(kestrel));
    ASSERT_TRUE(advanceUntil([&] { return !person->isSearchShown(); }));
    EXPECT_FALSE(delegate->searchController()->hasOutsideClickMonitor());
}
