#include "Mac26SimFixture.h"
#include "backend_mac26/ForeignPressResolver.h"
#include "backend_mac26/RevealMenuWindowMatcher.h"
#include "backend_mac26/RevealSupervisor.h"
#include "platform/EventField.h"

#include <map>

namespace corvel::test {
namespace {

using platform::EventTapLocation;
using platform::EventType;

MenuBarWindowInfo menuAt(double x, std::int32_t owner) {
    return {500, owner, "", platform::Rect{{x, 26}, {220, 54}}};
}

TEST(RevealMenuWindowMatcher, countsAMenuOfAnAcceptedOwnerLessThanFourHundredPointsAway) {
    const std::set<std::int32_t> owners{41, 42};
    const ItemFrame item{1000, 0, 28, 24};
    EXPECT_TRUE(RevealMenuWindowMatcher::menuWindowPresent({menuAt(600.1, 42)}, owners, item));
    EXPECT_TRUE(RevealMenuWindowMatcher::menuWindowPresent({menuAt(1399.9, 41)}, owners, item));
    EXPECT_FALSE(RevealMenuWindowMatcher::menuWindowPresent({menuAt(600, 42)}, owners, item));
    EXPECT_FALSE(RevealMenuWindowMatcher::menuWindowPresent({menuAt(1400, 41)}, owners, item));
    EXPECT_FALSE(RevealMenuWindowMatcher::menuWindowPresent({menuAt(1000, 7)}, owners, item));
}

TEST(RevealMenuWindowMatcher, withoutAFrameAnyMenuOfAnAcceptedOwnerCounts) {
    auto frameless = menuAt(0, 41);
    frameless.bounds.reset();
    EXPECT_TRUE(
        RevealMenuWindowMatcher::menuWindowPresent({menuAt(-5000, 41)}, {41}, std::nullopt));
    EXPECT_TRUE(RevealMenuWindowMatcher::menuWindowPresent({frameless}, {41}, std::nullopt));
    EXPECT_FALSE(RevealMenuWindowMatcher::menuWindowPresent({menuAt(0, 7)}, {41}, std::nullopt));
    EXPECT_FALSE(RevealMenuWindowMatcher::menuWindowPresent({frameless}, {41}, ItemFrame{}));
}

using Child = ForeignPressResolver::Child;

TEST(ForeignPressResolverChoice, titleThenDescriptionThenPositionThenTheOnlyChild) {
    const std::vector<Child> children{{"", "Alpha", 100.0}, {"Alpha", "", 140.0}};
    EXPECT_EQ(ForeignPressResolver::chooseChild(children, "Alpha", std::nullopt, true), 1u)
        << "a title match comes before a description match";
    EXPECT_EQ(ForeignPressResolver::chooseChild({children[0]}, "Alpha", std::nullopt, true), 0u);
    EXPECT_EQ(ForeignPressResolver::chooseChild(children, "", 152.0, true), 1u);
    EXPECT_EQ(ForeignPressResolver::chooseChild(children, "", 152.5, true), std::nullopt);
    EXPECT_EQ(ForeignPressResolver::chooseChild(children, "", std::nullopt, true), std::nullopt);
    EXPECT_EQ(ForeignPressResolver::chooseChild({children[0]}, "Else", std::nullopt, true), 0u);
}

// The host of a hosted window has extras of its own, which may carry the
// item's name: there only the child standing at the item counts.
TEST(ForeignPressResolverChoice, inAnotherApplicationOnlyTheChildStandingAtTheItemCounts) {
    const std::vector<Child> host{{"", "Battery", 1300.0}, {"", "Wi-Fi", 1330.0}};
    EXPECT_EQ(ForeignPressResolver::chooseChild(host, "Battery", 700.0, false), std::nullopt);
    EXPECT_EQ(ForeignPressResolver::chooseChild(host, "Battery", std::nullopt, false),
              std::nullopt);
    EXPECT_EQ(ForeignPressResolver::chooseChild({host[0]}, "Else", std::nullopt, false),
              std::nullopt);
    EXPECT_EQ(ForeignPressResolver::chooseChild(host, "", 1329.0, false), 1u);
}

TEST(ForeignPressResolverChoice, aNamesakeStandingElsewhereYieldsToTheChildWhereTheItemStands) {
    const std::vector<Child> twins{{"", "Pebblesync", 1116.0}, {"", "Pebblesync", 1140.0}};
    EXPECT_EQ(ForeignPressResolver::chooseChild(twins, "Pebblesync", 1140.0, true), 1u);
    EXPECT_EQ(ForeignPressResolver::chooseChild(twins, "Pebblesync", 1116.0, true), 0u);
    EXPECT_EQ(ForeignPressResolver::chooseChild(twins, "Pebblesync", std::nullopt, true), 0u);
    const std::vector<Child> namesake{{"", "Pebblesync", 1140.0}, {"", std::nullopt, 1116.0}};
    EXPECT_EQ(ForeignPressResolver::chooseChild(namesake, "Pebblesync", 1116.0, true), 1u);
    EXPECT_EQ(ForeignPressResolver::chooseChild(namesake, "Pebblesync", 900.0, true), 0u)
        << "where nothing stands at the item, the name decides";
}

class ForeignPressResolverTest : public Mac26SimTest {};

TEST_P(ForeignPressResolverTest, aForeignItemIsNeverPressedThroughOneOfCorvelsOwnItems) {
    prepare();
    // An item that matches nothing in its owner, Control Center, while this
    // process has a single status item, the spacer.
    const ObservedItem stranger{
        token("com.apple.menuextra.clock"), {"com.example.unknown", ""}, false, std::nullopt};

    EXPECT_EQ(
        ForeignPressResolver::resolveAXElement({windows, desktop, desktop, selfPID}, stranger),
        std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, ForeignPressResolverTest,
                         ::testing::ValuesIn(builtInScenarios()), scenarioName);

class RevealSupervisorTest : public Mac26SimTest {
  protected:
    // The supervision's own timings, without the time accessibility reads
    // of the poll would add on a single loop.
    void SetUp() override {
        Mac26SimTest::SetUp();
        desktop->setAccessibilityReadCost(0ms);
    }
    RevealSupervisor::Ports ports() const { return {windows, desktop, desktop, selfPID}; }
    std::optional<RevealSupervisionOutcome> supervise(const std::string& name) {
        const ObservedItem item = observed(name);
        startedAt = loop.now();
        return run(RevealSupervisor::superviseReveal(ports(), item, 2s));
    }
    void openMenuOf(const std::string& name) {
        const auto frame = frameOf(name);
        desktop->click({frame.midX(), 12});
        loop.advance(100ms);
        ASSERT_EQ(desktop->openMenus().size(), 1u);
    }
};

TEST_P(RevealSupervisorTest, aMenuSeenOnTheFirstPollAndGoneOnTheFifthEndsConfirmedWithoutEscape) {
    openMenuOf("testbed.one");
    auto close = loop.after(250ms, [this] { desktop->pressKey(53); });

    const auto outcome = supervise("testbed.one");

    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->menuWasConfirmedOpen);
    EXPECT_EQ(sinceStart(loop.now()), 300ms);
    EXPECT_TRUE(keyEvents().empty());
}

TEST_P(RevealSupervisorTest, theMenuOfTheItemsApplicationCountsWhoeverHostsTheItemsWindow) {
    openMenuOf("testbed.one");
    EXPECT_EQ(desktop->openMenus().front().ownerPid, pid("com.example.testbed"));
    EXPECT_EQ(RevealSupervisor::menuOwnerPIDs(ports(), observed("testbed.one")),
              (std::set<std::int32_t>{selfPID, windowOwner("com.example.testbed"),
                                      pid("com.example.testbed")}));
    auto close = loop.after(1s, [this] { desktop->pressKey(53); });

    const auto outcome = supervise("testbed.one");

    EXPECT_TRUE(outcome->menuWasConfirmedOpen);
    EXPECT_EQ(sinceStart(loop.now()), 1050ms);
}

TEST_P(RevealSupervisorTest, noMenuEverPostsOneEscapeOnTheHidTapAfterTheFirstPollPastTheDeadline) {
    const auto outcome = supervise("testbed.one");

    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->menuWasConfirmedOpen);
    const auto keys = keyEvents();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].event.type, EventType::keyDown);
    EXPECT_EQ(keys[1].event.type, EventType::keyUp);
    for (const auto& key : keys) {
        EXPECT_EQ(key.tap, EventTapLocation::hidEventTap);
        EXPECT_EQ(key.event.integerValueField(platform::EventField::keyboardEventKeycode), 53);
        EXPECT_EQ(key.event.source->stateID, platform::EventSourceStateID::hidSystemState);
    }
    EXPECT_EQ(sinceStart(keys[0].at), 2025ms);
    EXPECT_EQ(sinceStart(keys[1].at), 2045ms);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, RevealSupervisorTest,
                         ::testing::ValuesIn(builtInScenarios()), scenarioName);

class PressTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        Mac26SimTest::SetUp();
        prepare();
    }

    /// Files the item into the region and hides it, as assigning it does.
    void file(const std::string& name) {
        ASSERT_EQ(failureOf(backend->moveIntoHiddenRegion(observed(name))), std::nullopt);
        ASSERT_TRUE(observed(name).isInHiddenRegion);
    }

    std::vector<sim::PostedEvent> since(const std::vector<sim::PostedEvent>& events) const {
        std::vector<sim::PostedEvent> result;
        for (const auto& posted : events)
            if (posted.at >= startedAt)
                result.push_back(posted);
        return result;
    }

    /// The menus open `after` the start of the next press.
    std::shared_ptr<std::vector<sim::OpenMenu>> menusAfter(async::Duration after) {
        auto seen = std::make_shared<std::vector<sim::OpenMenu>>();
        timers.push_back(loop.after(after, [this, seen] { *seen = desktop->openMenus(); }));
        return seen;
    }
    void personPressesEscapeAfter(async::Duration after) {
        timers.push_back(loop.after(after, [this] { desktop->pressKey(53); }));
    }

    std::vector<async::TimerHandle> timers;
};

// The identities are known from the poll's reading: only the item's own
// application is asked for the element to press.
TEST_P(PressTest, bringsAFiledItemOutPressesItWaitsForItsMenuToCloseAndFilesItAgain) {
    file("testbed.one");
    const auto item = observed("testbed.one");
    const auto menus = menusAfter(1s);
    personPressesEscapeAfter(3s);
    portCounter.reset();

    EXPECT_EQ(attempt(backend->press(item)), std::nullopt);

    const auto reads = portCounter.counts().extrasBarReadsByPid;
    EXPECT_EQ(reads, (std::map<std::int32_t, int>{{pid("com.example.testbed"), 1}}));

    ASSERT_EQ(menus->size(), 1u);
    EXPECT_EQ(menus->front().titles, std::vector<std::string>{"Testbed Settings…"});
    EXPECT_EQ(desktop->counters().presses, 1);
    EXPECT_TRUE(since(keyEvents()).empty());
    EXPECT_TRUE(observed("testbed.one").isInHiddenRegion);
    const auto drags = since(mouseEvents());
    ASSERT_EQ(drags.size(), 8u);
    EXPECT_EQ(drags[2].event.location.x, frameOf("Corvel-HiddenRegionSpacer").maxX())
        << "out: dropped at the spacer's right edge";
    EXPECT_LT(drags[6].event.location.x, drags[2].event.location.x) << "back: at its left edge";
    EXPECT_GE(drags[4].at - startedAt, 3s) << "filed again only once the menu had closed";
}

// Two drags at once would each grab the other's item, and a drag closes an
// open menu: a move and a press asked for together take turns.
TEST_P(PressTest, aMoveAndAPressAskedForTogetherTakeTurnsInTheBar) {
    file("testbed.one");
    const auto pressed = observed("testbed.one");
    const auto filed = observed("twinlight.a");
    auto moving = async::spawn(loop, discard(backend->moveIntoHiddenRegion(filed)));
    // The move's drag begins once it has made sure the region is hidden.
    loop.advance(160ms);
    const auto menus = menusAfter(1s);
    personPressesEscapeAfter(3s);

    EXPECT_EQ(attempt(backend->press(pressed)), std::nullopt);

    EXPECT_TRUE(moving.isDone());
    EXPECT_EQ(menus->size(), 1u);
    EXPECT_TRUE(observed("testbed.one").isInHiddenRegion);
    EXPECT_TRUE(observed("twinlight.a").isInHiddenRegion);
}

TEST_P(PressTest, anItemInViewIsPressedWhereItStandsAndStaysThereOnceItsMenuCloses) {
    const auto before = frameOf("testbed.one");
    const auto menus = menusAfter(1s);
    personPressesEscapeAfter(2s);

    EXPECT_EQ(attempt(backend->press(observed("testbed.one"))), std::nullopt);

    ASSERT_EQ(menus->size(), 1u);
    EXPECT_TRUE(since(mouseEvents()).empty()) << "nothing dragged, out or back";
    EXPECT_FALSE(observed("testbed.one").isInHiddenRegion);
    EXPECT_EQ(frameOf("testbed.one"), before);
}

TEST_P(PressTest, aMenuThatNeverOpensEndsUnconfirmedAfterOneEscapeAndFilesTheItemAgain) {
    desktop->setAccessibilityReadCost(0ms); // the supervision's own timings
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::menuNeverOpens, true));
    file("testbed.one");

    EXPECT_EQ(attempt(backend->press(observed("testbed.one"))), BackendError::pressUnconfirmed());

    EXPECT_EQ(desktop->counters().presses, 1);
    const auto drags = since(mouseEvents());
    ASSERT_EQ(drags.size(), 8u) << "brought out, and filed again after the Escape";
    const auto keys = since(keyEvents());
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].event.type, EventType::keyDown);
    EXPECT_EQ(keys[0].tap, EventTapLocation::hidEventTap);
    // The supervision starts once the item has settled: 80 ms after the last
    // post of the drag and 150 ms more; its 28th poll is the first past 2 s.
    EXPECT_EQ(keys[0].at - drags[3].at, 80ms + 150ms + 2025ms);
    EXPECT_EQ(keys[1].at - keys[0].at, 20ms);
    EXPECT_GT(drags[4].at, keys[1].at);
    EXPECT_TRUE(observed("testbed.one").isInHiddenRegion);
}

TEST_P(PressTest, anItemAmongTwoUntitledExtrasOfItsApplicationIsPressedByWhereItStands) {
    const auto menus = menusAfter(500ms);
    personPressesEscapeAfter(1s);

    EXPECT_EQ(attempt(backend->press(observed("twinlight.b"))), std::nullopt);

    ASSERT_EQ(menus->size(), 1u);
    EXPECT_EQ(menus->front().titles, std::vector<std::string>{"twinlight.b menu"});
}

TEST_P(PressTest, ofTwoExtrasNamedAlikeThePressedOneIsTheOneWhereTheItemStands) {
    // Pebblesync describes one extra by its own name and leaves the other
    // undescribed, which the identity names after the application too.
    std::vector<ObservedItem> twins;
    const auto items = run(backend->currentItems());
    for (const auto& item : *items)
        if (item.identity.bundleID == "com.example.pebblesync")
            twins.push_back(item);
    ASSERT_EQ(twins.size(), 2u);
    ASSERT_EQ(twins[0].identity, twins[1].identity);
    const auto menus = menusAfter(500ms);
    personPressesEscapeAfter(1s);

    EXPECT_EQ(attempt(backend->press(twins[0].frame->x < twins[1].frame->x ? twins[0] : twins[1])),
              std::nullopt);

    ASSERT_EQ(menus->size(), 1u);
    EXPECT_EQ(menus->front().titles, std::vector<std::string>{"Pause Syncing"});
}

// Control Center hosts the window and has a Battery extra of its own: the
// press must open the item's own menu, not the host's namesake far away.
TEST_P(PressTest, anExtraNamedLikeASystemModuleOpensItsOwnMenuNotControlCenters) {
    auto scenario = backendScenario(GetParam());
    scenario.applications.push_back(applicationWithOneExtra("Voltwatch", "com.example.voltwatch",
                                                            "voltwatch.battery", "Battery",
                                                            "Voltwatch Settings…"));
    startWith(scenario);
    prepare();
    file("voltwatch.battery");
    const auto menus = menusAfter(1s);
    personPressesEscapeAfter(2s);

    EXPECT_EQ(attempt(backend->press(observed("voltwatch.battery"))), std::nullopt);

    ASSERT_EQ(menus->size(), 1u);
    EXPECT_EQ(menus->front().titles, std::vector<std::string>{"Voltwatch Settings…"});
    EXPECT_TRUE(observed("voltwatch.battery").isInHiddenRegion);
}

TEST_P(PressTest, anItemThatVanishesBeforeTheRefreshIsGoneAndNothingIsPressed) {
    desktop->setAccessibilityReadCost(0ms); // the press's own timings
    const ObservedItem item = observed("testbed.one");
    // The item already stands out of the region, so the move posts nothing
    // and the press settles at once; its application quits meanwhile.
    timers.push_back(
        loop.after(50ms, [this] { desktop->launch("/usr/bin/killall", {"Testbed"}); }));

    EXPECT_EQ(attempt(backend->press(item)), BackendError::itemNoLongerExists());

    EXPECT_EQ(desktop->counters().presses, 0);
    EXPECT_TRUE(keyEvents().empty());
    EXPECT_EQ(sinceStart(loop.now()), 150ms);
}

TEST_P(PressTest, aPressBeforePrepareFailsAtTheMoveOut) {
    startWith(backendScenario(GetParam()));

    EXPECT_EQ(attempt(backend->press(observed("testbed.one"))),
              BackendError::underlying("prepare() must be called before moveOutOfHiddenRegion()"));
    EXPECT_EQ(desktop->counters().presses, 0);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, PressTest, ::testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
