#include "backend_mac26/StampedItemMover.h"

#include "Mac26SimFixture.h"
#include "backend/BackendError.h"
#include "platform/EventFlags.h"

namespace corvel::test {
namespace {

using platform::EventField;
using platform::EventTapLocation;
using platform::EventType;

class StampedItemMoverTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        Mac26SimTest::SetUp();
        spacer = makeItem(spacerName);
        windows = MenuBarWindowList(reads.wrap(desktop->services()).windowList);
    }

    std::optional<BackendError> move(const std::string& item, bool left) {
        return attempt(
            StampedItemMover::move(windows, desktop, token(item), window(spacerName), left));
    }

    std::int32_t itemOwner() const { return windowOwner("com.example.testbed"); }

    void expectDualPost(const std::vector<sim::PostedEvent>& posted, std::size_t at, EventType type,
                        std::uint32_t stampedWindow) {
        ASSERT_GT(posted.size(), at + 1);
        const auto& session = posted[at];
        const auto& direct = posted[at + 1];
        EXPECT_EQ(session.event.type, type);
        EXPECT_EQ(session.tap, EventTapLocation::sessionEventTap);
        EXPECT_FALSE(session.pid);
        EXPECT_EQ(direct.event.serial, session.event.serial);
        EXPECT_EQ(direct.pid, itemOwner());
        EXPECT_EQ(sinceStart(direct.at) - sinceStart(session.at), 5ms);
        const auto& event = session.event;
        EXPECT_EQ(event.integerValueField(EventField::eventTargetUnixProcessID), itemOwner());
        EXPECT_EQ(event.integerValueField(EventField::eventSourceUserData),
                  std::int64_t{stampedWindow} * 4 + static_cast<int>(type));
        EXPECT_EQ(event.integerValueField(EventField::mouseEventWindowUnderMousePointer),
                  stampedWindow);
        EXPECT_EQ(event.integerValueField(
                      EventField::mouseEventWindowUnderMousePointerThatCanHandleThisEvent),
                  stampedWindow);
        EXPECT_EQ(event.integerValueField(EventField::windowID), stampedWindow);
    }

    std::shared_ptr<platform::StatusItem> spacer;
    /// Each read of the bar is a round trip to the window server.
    PortCounter reads;
};

TEST_P(StampedItemMoverTest, oneStampedDragPostedTwiceEachPutsTheItemLeftOfTheSpacer) {
    const auto item = window("testbed.one");
    const auto spacerFrame = frameOf(spacerName);
    const auto itemFrame = frameOf("testbed.one");

    ASSERT_EQ(move("testbed.one", true), std::nullopt);

    const auto posted = mouseEvents();
    ASSERT_EQ(posted.size(), 4u);
    expectDualPost(posted, 0, EventType::leftMouseDown, item);
    expectDualPost(posted, 2, EventType::leftMouseUp, window(spacerName));
    EXPECT_EQ(posted[0].event.flags, platform::EventFlags::maskCommand);
    EXPECT_EQ(posted[0].event.location, (platform::Point{20000.0, 20000.0}));
    EXPECT_EQ(posted[2].event.flags, 0u);
    EXPECT_EQ(
        posted[2].event.location,
        (platform::Point{spacerFrame.minX(), itemFrame.origin.y + itemFrame.size.height / 2}));
    EXPECT_EQ(sinceStart(posted[0].at), 0ms);
    EXPECT_EQ(sinceStart(posted[2].at), 55ms);

    const auto& source = *posted[0].event.source;
    EXPECT_EQ(source.stateID, platform::EventSourceStateID::hidSystemState);
    EXPECT_EQ(source.localEventsFilters, (std::map<int, std::uint32_t>{{0, 7}, {1, 7}}));
    EXPECT_EQ(source.localEventsSuppressionInterval, 0.0);
    EXPECT_EQ(posted[2].event.source, posted[0].event.source);

    EXPECT_LT(frameOf("testbed.one").midX(), frameOf(spacerName).midX());
    EXPECT_EQ(reads.counts().windowListReads, 2) << "one before the drag, one to verify it";
}

TEST_P(StampedItemMoverTest, anItemAlreadyOnTheRequestedSidePostsNothing) {
    EXPECT_EQ(move("testbed.one", false), std::nullopt);
    EXPECT_TRUE(desktop->postedEvents().empty());
}

TEST_P(StampedItemMoverTest, anItemCentredOnTheSpacerStandsOnNeitherSide) {
    const platform::Rect spacerRect{{100, 0}, {24, 24}};
    EXPECT_FALSE(StampedItemMover::isPlaced({{106, 0}, {12, 24}}, spacerRect, true));
    EXPECT_FALSE(StampedItemMover::isPlaced({{106, 0}, {12, 24}}, spacerRect, false));
    EXPECT_TRUE(StampedItemMover::isPlaced({{105.9, 0}, {12, 24}}, spacerRect, true));
    EXPECT_TRUE(StampedItemMover::isPlaced({{106.1, 0}, {12, 24}}, spacerRect, false));
}

TEST_P(StampedItemMoverTest, anItemThatNeverMovesGetsFiveDragsAndFourWakeUpClicksThenTheMessage) {
    const auto item = window("testbed.one");
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::neverMoves, true));

    EXPECT_EQ(move("testbed.one", true),
              BackendError::underlying("StampedItemMover: exhausted 5 retries without moving the "
                                       "item left of the spacer"));
    const auto posted = mouseEvents();
    ASSERT_EQ(posted.size(), 36u);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::size_t drag = attempt * 8;
        const auto dragStart = std::chrono::milliseconds(200 * attempt);
        expectDualPost(posted, drag, EventType::leftMouseDown, item);
        expectDualPost(posted, drag + 2, EventType::leftMouseUp, window(spacerName));
        EXPECT_EQ(sinceStart(posted[drag].at), dragStart);
        EXPECT_EQ(posted[drag].event.flags, platform::EventFlags::maskCommand);
        if (attempt == 4)
            break;
        const auto centre = frameOf("testbed.one");
        const platform::Point middle{centre.midX(), centre.origin.y + centre.size.height / 2};
        expectDualPost(posted, drag + 4, EventType::leftMouseDown, item);
        expectDualPost(posted, drag + 6, EventType::leftMouseUp, item);
        EXPECT_EQ(posted[drag + 4].event.flags, 0u);
        EXPECT_EQ(posted[drag + 4].event.location, middle);
        EXPECT_EQ(posted[drag + 6].event.location, middle);
        EXPECT_EQ(sinceStart(posted[drag + 4].at), dragStart + 140ms);
        EXPECT_EQ(sinceStart(posted[drag + 6].at), dragStart + 165ms);
    }
    EXPECT_EQ(desktop->counters().drags, 5);
    EXPECT_EQ(desktop->counters().wakeUps, 4);
    EXPECT_EQ(reads.counts().windowListReads, 10) << "one before each drag, one after each";
}

TEST_P(StampedItemMoverTest, theExhaustedMessageNamesTheRightSideForAMoveOut) {
    ASSERT_EQ(move("testbed.one", true), std::nullopt);
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::neverMoves, true));

    EXPECT_EQ(move("testbed.one", false),
              BackendError::underlying("StampedItemMover: exhausted 5 retries without moving the "
                                       "item right of the spacer"));
}

TEST_P(StampedItemMoverTest, anItemThatNeedsWakingMovesOnTheDragAfterTheWakeUpClick) {
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::needsWakeUp, true));

    EXPECT_EQ(move("testbed.one", true), std::nullopt);
    EXPECT_EQ(mouseEvents().size(), 12u);
    EXPECT_LT(frameOf("testbed.one").midX(), frameOf(spacerName).midX());
}

TEST_P(StampedItemMoverTest, anItemThatVanishesAfterTheFirstDragNoLongerExists) {
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::vanishAfterDrags, 1));

    EXPECT_EQ(move("testbed.one", true), BackendError::itemNoLongerExists());
    EXPECT_EQ(mouseEvents().size(), 4u);
}

TEST_P(StampedItemMoverTest, aSpacerMissingAtTheStartIsNamedByItsNumberAndNothingIsPosted) {
    EXPECT_EQ(
        attempt(StampedItemMover::move(windows, desktop, token("testbed.one"), 987654, true)),
        BackendError::underlying("StampedItemMover: hidden-region spacer window 987654 not found"));
    EXPECT_TRUE(desktop->postedEvents().empty());
}

TEST_P(StampedItemMoverTest, aSpacerThatVanishesMidMoveEndsTheMove) {
    desktop->setItemFaults("testbed.one", faultWith(&sim::ItemFaults::neverMoves, true));
    auto removal = loop.after(100ms, [this] { desktop->removeStatusItem(spacer); });

    EXPECT_EQ(move("testbed.one", true),
              BackendError::underlying(
                  "StampedItemMover: hidden-region spacer window disappeared mid-move"));
    EXPECT_EQ(desktop->counters().drags, 1);
}

TEST_P(StampedItemMoverTest, anItemGoneBeforeTheMoveNoLongerExists) {
    const auto gone = Mac26WindowToken::token(999999);

    EXPECT_EQ(attempt(StampedItemMover::move(windows, desktop, gone, window(spacerName), true)),
              BackendError::itemNoLongerExists());
    EXPECT_TRUE(desktop->postedEvents().empty());
}

/// The event port of the desktop, refusing to make sources or mouse events.
class RefusingEvents final : public platform::SyntheticEvents {
  public:
    RefusingEvents(std::shared_ptr<platform::SyntheticEvents> inner, bool refuseSource)
        : inner_(std::move(inner)), refuseSource_(refuseSource) {}

    std::optional<platform::EventSource> createSource(platform::EventSourceStateID id) override {
        if (refuseSource_)
            return std::nullopt;
        return inner_->createSource(id);
    }
    std::optional<platform::SyntheticEvent> createMouseEvent(const platform::EventSource*,
                                                             platform::EventType, platform::Point,
                                                             platform::MouseButton) override {
        return std::nullopt;
    }
    std::optional<platform::SyntheticEvent> createKeyboardEvent(const platform::EventSource* source,
                                                                std::uint16_t keyCode,
                                                                bool keyDown) override {
        return inner_->createKeyboardEvent(source, keyCode, keyDown);
    }
    void post(platform::EventTapLocation tap, const platform::SyntheticEvent& event) override {
        inner_->post(tap, event);
    }
    void postToPid(std::int32_t pid, const platform::SyntheticEvent& event) override {
        inner_->postToPid(pid, event);
    }

  private:
    std::shared_ptr<platform::SyntheticEvents> inner_;
    bool refuseSource_;
};

TEST_P(StampedItemMoverTest, eventsThePlatformRefusesToMakeFailTheMoveWithTheirOwnMessages) {
    const auto moveWith = [&](bool refuseSource) {
        return attempt(
            StampedItemMover::move(windows, std::make_shared<RefusingEvents>(desktop, refuseSource),
                                   token("testbed.one"), window(spacerName), true));
    };

    EXPECT_EQ(moveWith(true), BackendError::underlying("StampedItemMover: CGEventSource(stateID: "
                                                       ".hidSystemState) failed"));
    EXPECT_EQ(moveWith(false),
              BackendError::underlying(
                  "StampedItemMover: failed to construct the stamped move CGEvents"));
    EXPECT_TRUE(desktop->postedEvents().empty());
}

TEST_P(StampedItemMoverTest, theBackendsMovesNeedPrepare) {
    const auto item = observed("testbed.one");

    EXPECT_EQ(attempt(backend->moveIntoHiddenRegion(item)),
              BackendError::underlying("prepare() must be called before moveIntoHiddenRegion()"));
    EXPECT_EQ(attempt(backend->moveOutOfHiddenRegion(item)),
              BackendError::underlying("prepare() must be called before moveOutOfHiddenRegion()"));
    EXPECT_TRUE(desktop->postedEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, StampedItemMoverTest,
                         ::testing::ValuesIn(builtInScenarios()), scenarioName);

} // namespace
} // namespace corvel::test
