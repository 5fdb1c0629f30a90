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

TEST_P(Mac26Poll, scansIdentitiesEveryFifthPassAndAtOnceForAnUnknownWindowOnScreen) {
    start();
    prepare();
    // The first pass scans (a second walk when the settling spacer moved
    // under the first).
    ASSERT_GE(accessibility->trustChecks, 1);
    std::vector<int> scanned;
    for (int pass = 2; pass <= 11; ++pass) {
        const int before = accessibility->trustChecks;
        nextPass();
        if (accessibility->trustChecks > before)
            scanned.push_back(pass);
    }
    EXPECT_EQ(scanned, (std::vector<int>{6, 11}));

    // A new foreign item on screen is scanned for on the very next pass,
    // and the count starts again from there.
    auto probe = statusBar->statusItem(30);
    probe->setAutosaveName("Probe");
    scanned.clear();
    for (int pass = 12; pass <= 17; ++pass) {
        const int before = accessibility->trustChecks;
        const auto events = nextPass();
        if (accessibility->trustChecks > before)
            scanned.push_back(pass);
        if (pass == 12) {
            ASSERT_EQ(events.size(), 1u);
            EXPECT_EQ(events[0].item().identity.bundleID, "app.corvel.Corvel");
        }
    }
    EXPECT_EQ(scanned, (std::vector<int>{12, 17}));
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
