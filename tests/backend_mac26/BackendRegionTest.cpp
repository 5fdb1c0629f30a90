#include "BackendTestSupport.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "platform/EventType.h"

namespace corvel::test {
namespace {

class Mac26BackendRegion : public BackendOnDesktop {};

TEST_P(Mac26BackendRegion, preparesOneRestingSpacerAndASecondPrepareCreatesNothing) {
    start();
    prepare();
    ASSERT_EQ(statusBar->created.size(), 1u);
    auto spacer = barItem(spacerName);
    ASSERT_TRUE(spacer);
    EXPECT_EQ(spacer->length, 24.0);
    EXPECT_EQ(spacer->title, "");
    EXPECT_EQ(spacer->accessibilityTitle, spacerName);
    EXPECT_EQ(spacer->imagePosition, platform::ImagePosition::noImage);

    auto again = async::spawn(loop, backend->prepare());
    loop.runUntilIdle();
    EXPECT_TRUE(again.isDone());
    EXPECT_FALSE(again.failure());
    EXPECT_EQ(statusBar->created.size(), 1u);
    EXPECT_EQ(statusBar->removals, 0);
}

TEST_P(Mac26BackendRegion,
       givesUpOnASpacerThatNeverRegistersAfterTwoItemsAndAboutOneAndAHalfSeconds) {
    start();
    sim::ItemFaults neverRegisters;
    neverRegisters.neverRegisters = true;
    desktop->setItemFaults(spacerName, neverRegisters);
    const auto startedAt = loop.now();
    auto failure = failureOf(backend->prepare());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message(), "hidden-region spacer 'Corvel-HiddenRegionSpacer' never "
                                  "registered in CGWindowList after 2 attempts");
    EXPECT_EQ(loop.now() - startedAt, 1500ms);
    EXPECT_EQ(statusBar->created.size(), 2u);
    EXPECT_EQ(statusBar->removals, 2);

    // Nothing stays half-installed: no poll, no region, and a later prepare
    // starts afresh.
    loop.advance(2s);
    EXPECT_TRUE(takeEvents().empty());
    EXPECT_EQ(failureOf(backend->hideRegion())->message(),
              "prepare() must be called before hideRegion()");
    desktop->setItemFaults(spacerName, {});
    prepare();
    EXPECT_EQ(statusBar->created.size(), 3u);
    EXPECT_TRUE(barItem(spacerName));
}

TEST_P(Mac26BackendRegion, refusesRegionOperationsBeforePrepareWithoutTouchingTheBar) {
    start();
    const auto before = desktop->itemsLeftToRight();
    EXPECT_EQ(failureOf(backend->hideRegion()),
              BackendError::underlying("prepare() must be called before hideRegion()"));
    EXPECT_EQ(failureOf(backend->revealRegion()),
              BackendError::underlying("prepare() must be called before revealRegion()"));
    EXPECT_TRUE(statusBar->created.empty());
    EXPECT_EQ(desktop->itemsLeftToRight().size(), before.size());
}

TEST_P(Mac26BackendRegion, hidesWhatWasDraggedLeftOfTheSpacerAndRevealsItAgain) {
    start();
    prepare();
    const auto items = desktop->itemsLeftToRight();
    // A person Command-drags the item right of the spacer to its left.
    const auto spacer = *barItem(spacerName);
    const auto& foreign = items[1];
    ASSERT_NE(foreign.name, spacerName);
    desktop->commandDrag({foreign.frame.midX(), 12}, {spacer.frame.minX() + 1, 12});
    loop.advance(500ms);
    ASSERT_LT(barItem(foreign.name)->frame.minX(), barItem(spacerName)->frame.minX());

    run(backend->hideRegion());
    EXPECT_EQ(barItem(spacerName)->length, 10000.0);
    EXPECT_LT(barItem(foreign.name)->frame.maxX(), 0);
    for (const auto& item : desktop->itemsLeftToRight())
        if (item.frame.minX() >= barItem(spacerName)->frame.maxX()) {
            EXPECT_GE(item.frame.minX(), 0) << item.name;
        }

    run(backend->revealRegion());
    loop.advance(100ms);
    EXPECT_EQ(barItem(spacerName)->length, 24.0);
    EXPECT_GE(barItem(foreign.name)->frame.minX(), 0);
    // Revealing a revealed region is no error.
    run(backend->revealRegion());
    EXPECT_EQ(barItem(spacerName)->length, 24.0);
}

// On a bar too narrow for everything, the leftmost foreign item right of the
// spacer sits off screen: hiding would leave it hidden without having been
// moved into the region, so the widening is taken back.
TEST_P(Mac26BackendRegion, revertsAHideThatWouldLeaveAForeignItemRightOfTheSpacerOffScreen) {
    auto scenario = builtInScenario(GetParam());
    start(scenario);
    double total = 0;
    for (const auto& item : desktop->itemsLeftToRight())
        total += item.frame.size.width;
    const double leftmostWidth = desktop->itemsLeftToRight().front().frame.size.width;
    ASSERT_GT(leftmostWidth, 10);
    backend.reset();
    scenario.screen.width = total + scenario.screen.rightInset - 10;
    start(scenario);
    prepare();
    // Let the new spacer's bounds settle, as they have long before anyone
    // hides the region.
    loop.advance(500ms);

    auto failure = failureOf(backend->hideRegion());
    ASSERT_TRUE(failure);
    EXPECT_EQ(
        failure->message(),
        "hideRegion reverted: widening would have hidden 1 item(s) not moved into the region");
    loop.advance(100ms);
    EXPECT_EQ(barItem(spacerName)->length, 24.0);
}

TEST_P(Mac26BackendRegion, doesNotProtectAFramelessForeignWindowFromTheWidening) {
    auto scenario = builtInScenario(GetParam());
    scenario.extraWindows.push_back(platform::PlatformValue::dictionary(
        {{"kCGWindowLayer", platform::PlatformValue::integer(25)},
         {"kCGWindowNumber", platform::PlatformValue::integer(90000)},
         {"kCGWindowName", platform::PlatformValue::string("Frameless")}}));
    start(scenario);
    prepare();
    run(backend->hideRegion());
    EXPECT_EQ(barItem(spacerName)->length, 10000.0);
}

TEST_P(Mac26BackendRegion, readsCurrentItemsWithoutPrepareAndNeverReportsItsOwnWindows) {
    start();
    auto before = run(backend->currentItems());
    ASSERT_TRUE(before);
    const auto foreign = desktop->itemsLeftToRight();
    ASSERT_EQ(before->size(), foreign.size());
    for (std::size_t i = 0; i < foreign.size(); ++i) {
        EXPECT_EQ((*before)[i].frame->x, foreign[i].frame.minX());
        EXPECT_FALSE((*before)[i].isInHiddenRegion);
        EXPECT_FALSE((*before)[i].identity.bundleID.empty()) << foreign[i].name;
    }

    prepare();
    auto after = run(backend->currentItems());
    EXPECT_EQ(after->size(), foreign.size());
    EXPECT_EQ(desktop->itemsLeftToRight().size(), foreign.size() + 1);
}

TEST_P(Mac26BackendRegion, reportsAClickOnAnOwnIconWithItsFrameOrZerosWhenItsWindowIsMissing) {
    start();
    const auto handle = Uuid::literal("6F1D2A44-0B7E-4C59-9A11-3C2B5E6D7F80");
    backend->chromeClickForwarder()->handleClick(handle.text());
    backend->chromeClickForwarder()->handleClick("not a uuid");
    auto events = takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], MenuBarChangeEvent::ownChromeClicked(handle, ItemFrame{}));

    auto icon = statusBar->statusItem(24);
    icon->setAutosaveName("Corvel-Chrome-" + handle.text());
    loop.advance(300ms);
    const auto frame = barItem("Corvel-Chrome-" + handle.text())->frame;
    backend->chromeClickForwarder()->handleClick(handle.text());
    events = takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].screenFrame(),
              (ItemFrame{frame.minX(), frame.minY(), frame.size.width, frame.size.height}));
}

TEST_P(Mac26BackendRegion, takesEveryOwnItemOutOfTheBarAndEndsTheStreamWhenItGoesAway) {
    start();
    prepare();
    auto action = backend->chromeClickForwarder()->buttonAction();
    ASSERT_TRUE(barItem(spacerName));
    backend.reset();
    loop.advance(1s);
    EXPECT_FALSE(barItem(spacerName));
    EXPECT_TRUE(consumer.isDone());
    // A click the platform delivers late reaches nothing.
    action(Uuid::random().text());
    loop.runUntilIdle();
}

async::Task<void> countItems(Mac26Backend& backend, std::shared_ptr<std::size_t> count) {
    auto items = co_await backend.currentItems();
    *count = items.size();
}

TEST_P(Mac26BackendRegion, doesItsWorkOnTheMainLoopWhenAwaitedElsewhereAndAnswersThere) {
    start();
    async::ManualLoop elsewhere;
    auto count = std::make_shared<std::size_t>(0);
    auto task = async::spawn(elsewhere, countItems(*backend, count));
    elsewhere.runUntilIdle();
    EXPECT_FALSE(task.isDone());
    loop.runUntilIdle();
    EXPECT_FALSE(task.isDone());
    elsewhere.runUntilIdle();
    EXPECT_TRUE(task.isDone());
    EXPECT_EQ(*count, desktop->itemsLeftToRight().size());
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, Mac26BackendRegion, testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
