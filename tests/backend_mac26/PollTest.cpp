#include "BackendTestSupport.h"
#include "backend_mac26/Mac26PollState.h"
#include "backend_mac26/Mac26WindowToken.h"

#include <algorithm>

namespace corvel::test {
namespace {

class Mac26Poll : public BackendOnDesktop {
  protected:
    /// Takes the spacer out of the bar behind the backend's back.
    void removeSpacer() { statusBar->removeStatusItem(statusBar->created.at(0)); }
    /// A window of the spacer's name again, where the spacer stood.
    void restoreSpacer() {
        restored = statusBar->statusItem(24);
        restored->setAutosaveName(spacerName);
    }

    std::shared_ptr<platform::StatusItem> restored;

    /// One poll interval; each runs exactly one pass once prepare() is done.
    std::vector<MenuBarChangeEvent> nextPass() {
        loop.advance(250ms);
        return takeEvents();
    }
};

TEST_P(Mac26Poll, reportsEveryForeignItemOnceOnTheFirstPassAndNothingWhileTheBarIsStill) {
    start();
    prepare();
    auto events = takeEvents();
    const auto bar = desktop->itemsLeftToRight();
    ASSERT_EQ(events.size(), bar.size() - 1);
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind(), MenuBarChangeEvent::Kind::itemAppeared);
        EXPECT_EQ(events[i].item().id, Mac26WindowToken::token(bar[i + 1].windowNumber));
    }
    for (int pass = 0; pass < 12; ++pass)
        EXPECT_TRUE(nextPass().empty()) << pass;
}

TEST_P(Mac26Poll, reportsAnUnusableSpacerAfterTwoPollsAndItsRecoveryAfterTwoMore) {
    start();
    prepare();
    takeEvents();
    removeSpacer();
    EXPECT_TRUE(nextPass().empty());
    EXPECT_EQ(nextPass(),
              std::vector<MenuBarChangeEvent>{MenuBarChangeEvent::menuBarGeometryUnsettled(true)});
    EXPECT_TRUE(nextPass().empty());
    EXPECT_TRUE(nextPass().empty());
    restoreSpacer();
    EXPECT_TRUE(nextPass().empty());
    EXPECT_EQ(nextPass(),
              std::vector<MenuBarChangeEvent>{MenuBarChangeEvent::menuBarGeometryUnsettled(false)});
    EXPECT_TRUE(nextPass().empty());
}

TEST_P(Mac26Poll, scansIdentitiesOnlyForWindowsThatAreNewOrResizedNeverForAStillOrMovedBar) {
    start();
    prepare();
    // The first pass scans (a second walk when the settling spacer moved
    // under the first).
    ASSERT_GE(portCounter.counts().trustChecks, 1);
    takeEvents();
    auto scansIn = [&](async::Duration time) {
        const int before = portCounter.counts().trustChecks;
        loop.advance(time);
        return portCounter.counts().trustChecks - before;
    };
    EXPECT_EQ(scansIn(10s), 0);

    // A new foreign item is scanned for once, and named by it.
    auto probe = statusBar->statusItem(30);
    probe->setAutosaveName("Probe");
    EXPECT_EQ(scansIn(3s), 1);
    const auto events = takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].item().identity.bundleID, "app.corvel.Corvel");

    // A person's drag moves items without renumbering them: nothing to ask.
    const auto bar = desktop->itemsLeftToRight();
    desktop->commandDrag({bar[1].frame.midX(), 12}, {bar[3].frame.maxX() - 1, 12});
    EXPECT_EQ(scansIn(3s), 0);
    // A wider item may be another one now.
    probe->setLength(44);
    EXPECT_EQ(scansIn(3s), 1);

    // What a Strip reads walks by the same rule: nothing while every window
    // is known as it stands, and the same items a scan would name.
    auto walksFor = [&](auto task) {
        const int before = portCounter.counts().trustChecks;
        auto items = run(std::move(task));
        return std::pair{portCounter.counts().trustChecks - before, *items};
    };
    const auto [knownWalks, known] = walksFor(backend->knownItems());
    EXPECT_EQ(knownWalks, 0);
    EXPECT_EQ(known, walksFor(backend->currentItems()).second);
    probe->setLength(30);
    loop.advance(sim::Latencies{}.lengthChange);
    EXPECT_EQ(walksFor(backend->knownItems()).first, 1) << "resized since the last scan";
}

// Minutes of a still bar cost a window-list read a second and nothing of
// any application; a person's click in the bar, or an application that
// quits, is read at once all the same.
TEST_P(Mac26Poll, restsOnAStillBarAndReadsAtOnceWhenAPersonClicksThereOrAnApplicationQuits) {
    start();
    prepare();
    takeEvents();
    loop.advance(10s);
    portCounter.reset();
    loop.advance(60s);
    const auto idle = portCounter.counts();
    EXPECT_LE(idle.windowListReads, 60);
    EXPECT_EQ(idle.accessibilityReads, 0);
    EXPECT_EQ(idle.trustChecks, 0);
    EXPECT_TRUE(takeEvents().empty());

    auto readsNow = [&] {
        loop.runUntilIdle();
        return portCounter.counts().windowListReads;
    };
    const int rested = readsNow();
    desktop->click({desktop->itemsLeftToRight().back().frame.midX(), 500});
    EXPECT_EQ(readsNow(), rested) << "a click away from the bar";
    const auto bar = desktop->itemsLeftToRight();
    desktop->click({bar.back().frame.midX(), 12});
    EXPECT_GT(readsNow(), rested) << "a click in the bar";
    desktop->pressKey(platform::SyntheticEvents::escapeKeyCode);
    loop.advance(10s);
    takeEvents();

    // A regular application: the workspace announces those only.
    const auto quitting = desktop->pidOf("com.example.kestrel");
    ASSERT_TRUE(quitting);
    int itsItems = 0;
    for (const auto& item : desktop->itemsLeftToRight())
        itsItems += item.creatorPid == *quitting;
    ASSERT_EQ(itsItems, 1);
    desktop->quitApplication("com.example.kestrel");
    loop.runUntilIdle();
    const auto events = takeEvents();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const auto& event) {
                                return event.kind() == MenuBarChangeEvent::Kind::itemDisappeared;
                            }),
              itsItems);
}

// Emberstat puts up two extras whose titles are empty; only their
// descriptions, found by position, tell them apart.
TEST_P(Mac26Poll, tellsTwoExtrasOfOneApplicationWithEmptyTitlesApartByTheirDescriptions) {
    start();
    auto titlesOf = [](const std::vector<ObservedItem>& items) {
        std::vector<std::string> titles;
        for (const auto& item : items)
            if (item.identity.bundleID == "com.example.emberstat")
                titles.push_back(item.identity.title);
        std::sort(titles.begin(), titles.end());
        return titles;
    };
    const std::vector<std::string> expected{"Emberstat CPU", "Emberstat Memory"};
    EXPECT_EQ(titlesOf(*run(backend->currentItems())), expected);

    prepare();
    std::vector<ObservedItem> appeared;
    for (const auto& event : takeEvents())
        appeared.push_back(event.item());
    EXPECT_EQ(titlesOf(appeared), expected);
}

// A scripted sequence of changes over ten virtual minutes yields exactly
// the events it implies: nothing while the bar is still, each change once.
TEST_P(Mac26Poll, yieldsExactlyTheEventsOfAScriptedTenMinutes) {
    start();
    prepare();
    takeEvents();
    std::vector<MenuBarChangeEvent> events;
    auto minutes = [&](int count) {
        for (int pass = 0; pass < count * 240; ++pass) {
            auto more = nextPass();
            events.insert(events.end(), more.begin(), more.end());
        }
    };
    minutes(1);
    auto probe = statusBar->statusItem(30);
    probe->setAutosaveName("Probe");
    minutes(2);
    ASSERT_EQ(events.size(), 1u);
    const auto probeItem = events[0].item();
    EXPECT_EQ(events[0].kind(), MenuBarChangeEvent::Kind::itemAppeared);
    statusBar->removeStatusItem(probe);
    minutes(2);
    removeSpacer();
    minutes(1);
    restoreSpacer();
    minutes(1);
    EXPECT_EQ(events, (std::vector<MenuBarChangeEvent>{
                          MenuBarChangeEvent::itemAppeared(probeItem),
                          MenuBarChangeEvent::itemDisappeared(probeItem.id),
                          MenuBarChangeEvent::menuBarGeometryUnsettled(true),
                          MenuBarChangeEvent::menuBarGeometryUnsettled(false),
                      }));

    // A person drags the item right of the spacer three places further
    // right: exactly the items whose frames the bar changed are reported.
    events.clear();
    const auto before = desktop->itemsLeftToRight();
    desktop->commandDrag({before[1].frame.midX(), 12}, {before[4].frame.maxX() - 1, 12});
    minutes(3);
    std::vector<BackendItemToken> moved;
    for (const auto& now : desktop->itemsLeftToRight())
        for (const auto& then : before)
            if (then.windowNumber == now.windowNumber && !(then.frame == now.frame))
                moved.push_back(Mac26WindowToken::token(now.windowNumber));
    ASSERT_EQ(moved.size(), 4u);
    ASSERT_EQ(events.size(), moved.size());
    for (const auto& event : events) {
        EXPECT_EQ(event.kind(), MenuBarChangeEvent::Kind::itemChanged);
        EXPECT_NE(std::find(moved.begin(), moved.end(), event.item().id), moved.end());
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, Mac26Poll, testing::ValuesIn(builtInScenarios()),
                         scenarioName);

TEST(Mac26PollState, neverReportsGeometryOnTheFirstPassEvenWithoutASpacer) {
    async::ManualLoop loop;
    sim::Scenario scenario;
    sim::Scenario::Application app;
    app.name = "Lone";
    app.bundleIdentifier = "com.example.lone";
    app.extras.push_back({});
    scenario.applications.push_back(app);
    auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    auto cache = std::make_shared<Mac26IdentityCache>(
        [] { return std::vector<Mac26MenuExtraResolver::MenuExtra>{}; });
    Mac26PollState state(std::make_shared<Mac26MenuBarReader>(
        "Corvel", Mac26MenuBarReader::Ports{MenuBarWindowList(desktop), nullptr, nullptr, 0}, cache,
        std::make_shared<Mac26OwnWindows>()));
    auto noSpacer = MenuBarWindowList(desktop).layer25Windows();
    ASSERT_EQ(noSpacer.size(), 1u);
    auto first = state.pass(noSpacer);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].kind(), MenuBarChangeEvent::Kind::itemAppeared);
    // The second pass without a spacer reports it, before the item events.
    std::vector<MenuBarWindowInfo> none;
    auto second = state.pass(none);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0], MenuBarChangeEvent::menuBarGeometryUnsettled(true));
    EXPECT_EQ(second[1],
              MenuBarChangeEvent::itemDisappeared(Mac26WindowToken::token(noSpacer[0].windowID)));
}

} // namespace
} // namespace corvel::test
