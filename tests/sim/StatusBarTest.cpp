#include "SimTestSupport.h"
#include "sim/StatusBarLayout.h"

namespace corvel::test {
namespace {

using platform::Rect;

TEST(StatusBarLayoutTest, LaysItemsOutRightToLeftFromTheRightEdgeWithoutGaps) {
    const auto frames = sim::StatusBarLayout::frames({20, 30, 100}, 1000, 8, 24);
    EXPECT_EQ(frames[2], (Rect{{892, 0}, {100, 24}}));
    EXPECT_EQ(frames[1], (Rect{{862, 0}, {30, 24}}));
    EXPECT_EQ(frames[0], (Rect{{842, 0}, {20, 24}}));
}

TEST(StatusBarLayoutTest, AnItemWiderThanTheRoomPushesEverythingLeftOfItToNegativeX) {
    const auto frames = sim::StatusBarLayout::frames({20, 10000, 100}, 1000, 8, 24);
    EXPECT_EQ(frames[2].minX(), 892);
    EXPECT_EQ(frames[1].minX(), 892 - 10000);
    EXPECT_EQ(frames[0].maxX(), 892 - 10000);
}

using StatusBarTest = SimulatedDesktopTest;

TEST_F(StatusBarTest, TheScenarioItemsStandRightToLeftInCreationOrderWithTheClockRightmost) {
    start();
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"beta", "alpha", "clock"}));
    EXPECT_EQ(frameOf("clock"), (Rect{{892, 0}, {100, 24}}));
    EXPECT_EQ(frameOf("beta"), (Rect{{842, 0}, {20, 24}}));
}

TEST_F(StatusBarTest, ANewStatusItemAppearsAtTheFarLeftOfTheStatusItems) {
    start();
    auto item = makeItem("Mine-One", 24);
    EXPECT_EQ(namesLeftToRight().front(), "Mine-One");
    EXPECT_EQ(frameOf("Mine-One"), (Rect{{818, 0}, {24, 24}}));
}

TEST_F(StatusBarTest, AStatusItemShowsInTheWindowListOnlyAfterTheRegistrationDelay) {
    auto scenario = smallScenario();
    scenario.registrationDelay = 30ms;
    start(scenario);
    auto item = makeItem("Late");
    EXPECT_FALSE(desktop->windowNumberOf("Late"));
    loop.advance(29ms);
    EXPECT_FALSE(desktop->windowNumberOf("Late"));
    loop.advance(1ms);
    EXPECT_TRUE(desktop->windowNumberOf("Late"));
}

TEST_F(StatusBarTest, AMovedOrRemovedItemComesBackWhereItWasRememberedByItsAutosaveName) {
    start();
    auto item = makeItem("Mine");
    desktop->commandDrag({frameOf("Mine").midX(), 12}, {frameOf("alpha").minX() + 1, 12});
    ASSERT_EQ(namesLeftToRight(), (std::vector<std::string>{"beta", "Mine", "alpha", "clock"}));
    const auto frameBefore = frameOf("Mine");
    EXPECT_EQ(desktop->rememberedPosition("Mine"), 1000 - frameBefore.maxX());
    desktop->removeStatusItem(item);
    EXPECT_EQ(desktop->rememberedPosition("Mine"), 1000 - frameBefore.maxX());
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"beta", "alpha", "clock"}));

    auto other = makeItem("Other");
    auto again = makeItem("Mine");
    EXPECT_EQ(namesLeftToRight(),
              (std::vector<std::string>{"Other", "beta", "Mine", "alpha", "clock"}));
    EXPECT_EQ(frameOf("Mine"), frameBefore);
}

TEST_F(StatusBarTest, AForgottenPositionLetsTheNameAppearAtTheFarLeftLikeANewItem) {
    start();
    auto item = makeItem("Mine");
    desktop->commandDrag({frameOf("Mine").midX(), 12}, {frameOf("alpha").minX() + 1, 12});
    desktop->removeStatusItem(item);
    auto other = makeItem("Other");
    desktop->forgetRememberedPosition("Mine");
    desktop->forgetRememberedPosition("Never-Seen");
    EXPECT_FALSE(desktop->rememberedPosition("Mine"));
    auto again = makeItem("Mine");
    EXPECT_EQ(namesLeftToRight(),
              (std::vector<std::string>{"Mine", "Other", "beta", "alpha", "clock"}));
}

TEST_F(StatusBarTest, DroppingTheLastReferenceToAnItemTakesItOutOfTheBar) {
    start();
    makeItem("Dropped");
    EXPECT_FALSE(desktop->windowNumberOf("Dropped"));
    EXPECT_TRUE(desktop->rememberedPosition("Dropped"));
}

TEST_F(StatusBarTest, ATenThousandPointItemPushesEverythingLeftOfItOffScreenUntilNarrowedAgain) {
    start();
    auto spacer = makeItem("Wide", 24);
    auto left = makeItem("Left", 24);
    spacer->setLength(10000);
    EXPECT_LT(frameOf("Left").maxX(), 0);
    EXPECT_EQ(frameOf("beta").minX(), 842);
    spacer->setLength(24);
    EXPECT_EQ(frameOf("Left").minX(), 842 - 48);
}

TEST_F(StatusBarTest, TheLatestLengthRequestWinsEvenWhenAnEarlierOneLandsLater) {
    auto scenario = smallScenario();
    scenario.latencies.lengthChange = 30ms;
    start(scenario);
    auto spacer = makeItem("Wide", 24);
    auto left = makeItem("Left", 24);
    spacer->setLength(10000);
    auto latencies = desktop->latencies();
    latencies.lengthChange = 10ms;
    desktop->setLatencies(latencies);
    spacer->setLength(24);
    loop.advance(10ms);
    EXPECT_EQ(frameOf("Left").minX(), 842 - 48);
    loop.advance(20ms);
    EXPECT_EQ(frameOf("Left").minX(), 842 - 48);
    EXPECT_EQ(spacer->length(), 24);
}

TEST_F(StatusBarTest, BoundsKeepChangingUntilTheSettleTimeHasPassed) {
    auto scenario = smallScenario();
    scenario.settleTime = 300ms;
    start(scenario);
    auto item = makeItem("Drifting");
    const auto first = frameOf("Drifting");
    loop.advance(75ms);
    const auto second = frameOf("Drifting");
    EXPECT_NE(first, second);
    loop.advance(300ms);
    const auto settled = frameOf("Drifting");
    loop.advance(75ms);
    EXPECT_EQ(frameOf("Drifting"), settled);
    EXPECT_EQ(settled.minX(), 818);
}

TEST_F(StatusBarTest, AnItemNamedToNeverRegisterNeverShowsInTheWindowList) {
    start();
    sim::ItemFaults faults;
    faults.neverRegisters = true;
    desktop->setItemFaults("Ghostly", faults);
    auto item = makeItem("Ghostly");
    loop.advance(2s);
    EXPECT_FALSE(desktop->windowNumberOf("Ghostly"));
}

// Items owned only by closures inside the bar are destroyed when those
// closures go; their release takes the desktop's lock again.
TEST_F(StatusBarTest, ItemsOwnedOnlyByMenusOrActionsInTheBarLeaveItWithoutDeadlock) {
    start();
    auto holder = makeItem("Holder");
    std::weak_ptr<platform::StatusItem> held;
    {
        auto item = makeItem("Held");
        held = item;
        auto menu = std::make_shared<platform::Menu>();
        platform::MenuItem entry;
        entry.action = [item] {};
        menu->addItem(entry);
        holder->setMenu(menu);
    }
    holder->setMenu(nullptr);
    EXPECT_TRUE(held.expired());
    EXPECT_FALSE(desktop->windowNumberOf("Held"));

    sim::ItemFaults vanishing;
    vanishing.vanishAfterDrags = 1;
    desktop->setItemFaults("Selfish", vanishing);
    std::weak_ptr<platform::StatusItem> selfish;
    {
        auto item = makeItem("Selfish");
        selfish = item;
        item->button().setAction([item](const std::string&) {});
    }
    desktop->commandDrag({frameOf("Selfish").midX(), 12}, {frameOf("alpha").maxX() - 1, 12});
    EXPECT_TRUE(selfish.expired());
    EXPECT_FALSE(desktop->windowNumberOf("Selfish"));
}

TEST_F(StatusBarTest, TheButtonKeepsItsPropertiesAfterRemoval) {
    start();
    auto item = makeItem("Kept");
    item->button().setTitle("T");
    item->setLength(10000);
    desktop->removeStatusItem(item);
    EXPECT_EQ(item->length(), 10000);
    EXPECT_EQ(item->button().title(), "T");
    EXPECT_EQ(item->autosaveName(), "Kept");
}

} // namespace
} // namespace corvel::test
