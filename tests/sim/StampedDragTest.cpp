#include "SimTestSupport.h"

namespace corvel::test {
namespace {

using platform::EventFlags;
using platform::EventType;

class StampedDragTest : public SimulatedDesktopTest {
  protected:
    // The window server's own pace: every drop lands after its latency, and
    // the helpers wait as long as the mover does.
    void SetUp() override {
        auto scenario = smallScenario();
        scenario.latencies = sim::Latencies{};
        start(scenario);
        spacer = makeItem("Spacer");
        // [Spacer 818][beta 842][alpha 862][clock 892]
    }
    std::shared_ptr<platform::StatusItem> spacer;
};

TEST_F(StampedDragTest, AnUpLeftOfTheTargetsCentreDropsTheItemImmediatelyLeftOfIt) {
    stampedDrag("alpha", "Spacer", frameOf("Spacer").minX(), pid("com.example.alpha"));
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"alpha", "Spacer", "beta", "clock"}));
    EXPECT_EQ(desktop->counters().drags, 1);
}

TEST_F(StampedDragTest, AnUpRightOfTheTargetsCentreDropsTheItemImmediatelyRightOfIt) {
    stampedDrag("beta", "Spacer", frameOf("Spacer").minX(), pid("com.example.beta"));
    ASSERT_EQ(namesLeftToRight().front(), "beta");
    stampedDrag("beta", "Spacer", frameOf("Spacer").maxX(), pid("com.example.beta"));
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"Spacer", "beta", "alpha", "clock"}));
}

TEST_F(StampedDragTest, ADropIsVisibleOnlyAfterItsLatencyInTheListAndTheAccessibilityTree) {
    const auto alpha = pid("com.example.alpha");
    const auto spacerX = frameOf("Spacer").minX();
    postDual(
        stamped(EventType::leftMouseDown, {20000, 20000}, window("alpha"), EventFlags::maskCommand),
        alpha);
    loop.advance(50ms);
    postDual(stamped(EventType::leftMouseUp, {spacerX, 12}, window("Spacer")), alpha);
    auto alphaX = [&] {
        for (const auto& window : listedWindows(*desktop, 25))
            if (window.name == "alpha")
                return window.bounds.minX();
        return -1.0;
    };
    auto alphaPosition = [&] {
        return attribute(extrasOf(alpha).front(), "AXPosition")
            .asPoint()
            .value_or(platform::Point{})
            .x;
    };
    EXPECT_EQ(alphaX(), 862);
    EXPECT_EQ(alphaPosition(), 862);
    loop.advance(29ms);
    EXPECT_EQ(alphaX(), 862);
    loop.advance(1ms);
    EXPECT_EQ(alphaX(), 818);
    EXPECT_EQ(alphaPosition(), 818);
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"alpha", "Spacer", "beta", "clock"}));
}

TEST_F(StampedDragTest, AnEventPostedToTheSessionAndToTheProcessTakesEffectOnce) {
    stampedDrag("alpha", "Spacer", frameOf("Spacer").minX(), pid("com.example.alpha"));
    const auto posted = desktop->postedEvents();
    ASSERT_EQ(posted.size(), 4u);
    EXPECT_EQ(posted[0].tap, platform::EventTapLocation::sessionEventTap);
    EXPECT_EQ(posted[1].pid, pid("com.example.alpha"));
    EXPECT_FALSE(posted[0].duplicate);
    EXPECT_TRUE(posted[1].duplicate);
    EXPECT_TRUE(posted[3].duplicate);
    EXPECT_EQ(desktop->counters().drags, 1);
}

TEST_F(StampedDragTest, APostToAProcessThatDoesNotRunLeavesTheEventFreeToArriveThroughTheTap) {
    const auto down =
        stamped(EventType::leftMouseDown, {20000, 20000}, window("alpha"), EventFlags::maskCommand);
    const auto up =
        stamped(EventType::leftMouseUp, {frameOf("Spacer").minX(), 12}, window("Spacer"));
    for (const auto& event : {down, up}) {
        desktop->postToPid(999999, event);
        desktop->post(platform::EventTapLocation::sessionEventTap, event);
    }
    loop.advance(80ms);
    EXPECT_EQ(namesLeftToRight().front(), "alpha");
    EXPECT_EQ(desktop->counters().drags, 1);
}

TEST_F(StampedDragTest, AMouseDownWithoutCommandStartsNoDragButWakesTheItem) {
    const auto alpha = pid("com.example.alpha");
    postDual(stamped(EventType::leftMouseDown, {20000, 20000}, window("alpha")), alpha);
    postDual(stamped(EventType::leftMouseUp, {frameOf("Spacer").minX(), 12}, window("Spacer")),
             alpha);
    loop.advance(80ms);
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"Spacer", "beta", "alpha", "clock"}));
    EXPECT_EQ(desktop->counters().wakeUps, 1);
    EXPECT_EQ(desktop->counters().drags, 0);
    EXPECT_TRUE(desktop->openMenus().empty());
}

TEST_F(StampedDragTest, AnItemThatNeverMovesReceivesDragsButStaysWhereItIs) {
    sim::ItemFaults faults;
    faults.neverMoves = true;
    desktop->setItemFaults("alpha", faults);
    stampedDrag("alpha", "Spacer", frameOf("Spacer").minX(), pid("com.example.alpha"));
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"Spacer", "beta", "alpha", "clock"}));
    EXPECT_EQ(desktop->counters().drags, 1);
}

TEST_F(StampedDragTest, AnItemThatNeedsAWakeUpMovesOnlyAfterAStampedPlainClick) {
    sim::ItemFaults faults;
    faults.needsWakeUp = true;
    desktop->setItemFaults("alpha", faults);
    const auto alpha = pid("com.example.alpha");
    stampedDrag("alpha", "Spacer", frameOf("Spacer").minX(), alpha);
    EXPECT_EQ(namesLeftToRight()[2], "alpha");
    wakeUpClick("alpha", alpha);
    stampedDrag("alpha", "Spacer", frameOf("Spacer").minX(), alpha);
    EXPECT_EQ(namesLeftToRight().front(), "alpha");
    // Each move puts it back to sleep.
    stampedDrag("alpha", "Spacer", frameOf("Spacer").maxX(), alpha);
    EXPECT_EQ(namesLeftToRight().front(), "alpha");
}

TEST_F(StampedDragTest, AnItemWhoseWindowVanishesAfterItsSecondDragLeavesTheList) {
    sim::ItemFaults faults;
    faults.vanishAfterDrags = 2;
    desktop->setItemFaults("alpha", faults);
    const auto alpha = pid("com.example.alpha");
    stampedDrag("alpha", "Spacer", frameOf("Spacer").minX(), alpha);
    EXPECT_TRUE(desktop->windowNumberOf("alpha"));
    stampedDrag("alpha", "Spacer", frameOf("Spacer").maxX(), alpha);
    EXPECT_FALSE(desktop->windowNumberOf("alpha"));
}

TEST_F(StampedDragTest, ImmovableItemsStayAndNothingLandsRightOfThem) {
    const auto host = pid("com.apple.controlcenter");
    stampedDrag("clock", "Spacer", frameOf("Spacer").minX(), host);
    EXPECT_EQ(namesLeftToRight().back(), "clock");
    stampedDrag("alpha", "clock", frameOf("clock").maxX(), pid("com.example.alpha"));
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"Spacer", "beta", "alpha", "clock"}));
}

TEST_F(StampedDragTest, AnUpStampedWithNoKnownWindowDropsNothing) {
    const auto alpha = pid("com.example.alpha");
    postDual(
        stamped(EventType::leftMouseDown, {20000, 20000}, window("alpha"), EventFlags::maskCommand),
        alpha);
    postDual(stamped(EventType::leftMouseUp, {10, 12}, 99999), alpha);
    loop.advance(80ms);
    EXPECT_EQ(desktop->counters().drags, 0);
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"Spacer", "beta", "alpha", "clock"}));
}

} // namespace
} // namespace corvel::test
