#include "UiHarness.h"
#include "engine/ChromeBlockPlanner.h"
#include "engine/SystemRevealAllClock.h"
#include "support/RunTask.h"
#include "ui/ShortcutStripAnchor.h"
#include "ui/StripPanel.h"

#include <gtest/gtest.h>

using namespace corvel;
using Operation = test::ScriptedBackend::Operation;

namespace {

const Group work{GroupID{Uuid::literal("AAAAAAAA-0000-0000-0000-000000000001")}, "Work",
                 "folder.fill", std::nullopt, 0};
const Group play{GroupID{Uuid::literal("BBBBBBBB-0000-0000-0000-000000000002")}, "Play",
                 "star.fill", std::nullopt, 1};

/// Notes, at each open request, which Group opens and where the Strip would
/// hang at that moment.
class AnchorRecordingDelegate final : public StripEffectInterpreterDelegate {
  public:
    explicit AnchorRecordingDelegate(std::shared_ptr<StripWindowController> strip)
        : strip_(std::move(strip)) {}
    void stripEffectInterpreter(StripEffectInterpreter&, const GroupID& group) override {
        opened.emplace_back(group, strip_->pendingAnchorFrame()->x);
    }
    void stripEffectInterpreterDidRequestCloseStrip(StripEffectInterpreter&) override {}

    std::vector<std::pair<GroupID, double>> opened;

  private:
    std::shared_ptr<StripWindowController> strip_;
};

class StatusItemControllerTest : public ::testing::Test {
  protected:
    StatusItemControllerTest() {
        controller = StatusItemController::create(ui.loop, ui.backend, ui.interpreter, ui.strip,
                                                  {work, play});
        controller->setMenuController(ui.menu);
    }

    void click(const Group& clicked, ItemFrame frame = {1100, 0, 24, 24}) {
        ui.backend->pushChange(MenuBarChangeEvent::ownChromeClicked(clicked.id.rawValue(), frame));
    }

    test::UiHarness ui;
    std::shared_ptr<StatusItemController> controller;
};

} // namespace

TEST_F(StatusItemControllerTest, startPlacesThePrimaryIconAndOneIconPerGroupThenAttachesTheMenu) {
    test::runTask(ui.loop, controller->start());

    EXPECT_EQ(ui.backend->operations(), (std::vector<Operation>{Operation::placeOwnChrome,
                                                                Operation::attachPrimaryIconMenu}));
    EXPECT_EQ(ui.backend->placedIcons(), ChromeBlockPlanner::icons({work, play}));
    EXPECT_EQ(ui.backend->attachedMenu(), ui.menu->menu());
    EXPECT_TRUE(controller->isListening());
}

// A placement that fails at launch must not leave the Group icons dead for
// the whole run: the controller listens all the same and places again.
TEST_F(StatusItemControllerTest, aFailedPlacementAtStartIsThrownListenedPastAndTriedAgain) {
    ui.backend->failNext(Operation::placeOwnChrome, BackendError::underlying("no bar"));

    EXPECT_THROW(test::runTask(ui.loop, controller->start()), BackendError);
    EXPECT_EQ(ui.backend->count(Operation::attachPrimaryIconMenu), 0u);
    EXPECT_TRUE(controller->isListening());
    ui.loop.advance(StatusItemController::placementRetry);
    EXPECT_EQ(ui.backend->count(Operation::placeOwnChrome), 2u);
    EXPECT_EQ(ui.backend->count(Operation::attachPrimaryIconMenu), 1u);
    EXPECT_FALSE(controller->isRetryingPlacement());

    click(play, {1200, 0, 24, 24});
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::open(play.id));
}

TEST_F(StatusItemControllerTest, withoutAMenuControllerThePrimaryIconGetsNoMenu) {
    controller->setMenuController(nullptr);
    test::runTask(ui.loop, controller->start());
    ASSERT_EQ(ui.backend->count(Operation::attachPrimaryIconMenu), 1u);
    EXPECT_EQ(ui.backend->calls().back().menu, nullptr);
}

TEST_F(StatusItemControllerTest, rapidClicksAreHandledOneAtATimeInTheirOrder) {
    test::runTask(ui.loop, controller->start());

    // Open Work, close it, open Play: any other order ends elsewhere.
    click(work, {1100, 0, 24, 24});
    click(work, {1100, 0, 24, 24});
    click(play, {1200, 0, 24, 24});
    ui.loop.runUntilIdle();

    EXPECT_EQ(ui.interpreter->state().strip(), StripState::open(play.id));
    EXPECT_EQ(ui.strip->openGroup(), play.id);
    EXPECT_EQ(ui.strip->pendingAnchorFrame(), (ItemFrame{1200, 0, 24, 24}));
    EXPECT_TRUE(ui.strip->panel().isVisible());
    EXPECT_EQ(ui.strip->panel().pos().x(), 1200);
    EXPECT_EQ(ui.monitor->installed(), 1u);
}

TEST_F(StatusItemControllerTest, eachClicksAnchorIsInPlaceWhenItsOwnEventIsHandled) {
    auto recorder = std::make_shared<AnchorRecordingDelegate>(ui.strip);
    auto interpreter =
        StripEffectInterpreter::create(ui.backend, ui.strip->lookup(), recorder,
                                       std::make_shared<SystemRevealAllClock>(), ui.loop, ui.log);
    controller =
        StatusItemController::create(ui.loop, ui.backend, interpreter, ui.strip, {work, play});
    test::runTask(ui.loop, controller->start());

    click(work, {1100, 0, 24, 24});
    click(play, {1200, 0, 24, 24});
    click(work, {1300, 0, 24, 24});
    ui.loop.runUntilIdle();

    EXPECT_EQ(recorder->opened, (std::vector<std::pair<GroupID, double>>{
                                    {work.id, 1100}, {play.id, 1200}, {work.id, 1300}}));
}

TEST(ShortcutStripAnchor, aStripOpenedFromTheKeyboardHangsUnderTheGroupsIconOnlyWhereItIsSeen) {
    const ItemFrame primary{1000, 0, 24, 24};
    EXPECT_EQ(ShortcutStripAnchor::anchor(ItemFrame{900, 0, 24, 24}, primary),
              (ItemFrame{900, 0, 24, 24}));
    EXPECT_EQ(ShortcutStripAnchor::anchor(ItemFrame{-10, 0, 24, 24}, primary), primary);
    EXPECT_EQ(ShortcutStripAnchor::anchor(ItemFrame{}, primary), primary);
    EXPECT_EQ(ShortcutStripAnchor::anchor(std::nullopt, primary), primary);
    EXPECT_FALSE(ShortcutStripAnchor::anchor(std::nullopt, std::nullopt));
}

TEST_F(StatusItemControllerTest, aShortcutPressTogglesTheGroupsStripUnderTheIconAPersonCanSee) {
    test::runTask(ui.loop, controller->start());
    ui.backend->setPrimaryIconFrame(ItemFrame{1000, 0, 24, 24});
    ui.backend->setOwnChromeFrame(work.id.rawValue(), ItemFrame{1100, 0, 24, 24});
    ui.backend->setOwnChromeFrame(play.id.rawValue(), ItemFrame{-9000, 0, 24, 24});

    controller->groupShortcutPressed(work.id);
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::open(work.id));
    EXPECT_EQ(ui.strip->panel().pos().x(), 1100);

    controller->groupShortcutPressed(work.id);
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
    EXPECT_FALSE(ui.strip->panel().isVisible());

    // Pushed off the screen: under the primary icon instead.
    controller->groupShortcutPressed(play.id);
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::open(play.id));
    EXPECT_EQ(ui.strip->panel().pos().x(), 1000);
}

TEST_F(StatusItemControllerTest, clicksOnADeletedGroupsIconAndOnThePrimaryIconOpenNoStrip) {
    test::runTask(ui.loop, controller->start());
    test::runTask(ui.loop, controller->refreshChrome({}));
    EXPECT_EQ(ui.backend->placedIcons(), ChromeBlockPlanner::icons({}));
    EXPECT_EQ(ui.backend->attachedMenu(), ui.menu->menu());

    click(work);
    ui.backend->pushChange(MenuBarChangeEvent::ownChromeClicked(
        ChromeBlockPlanner::corvelIconHandle, ItemFrame{1000, 0, 24, 24}));
    ui.loop.runUntilIdle();

    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
    EXPECT_FALSE(ui.strip->pendingAnchorFrame());
    EXPECT_FALSE(ui.strip->panel().isVisible());
}

TEST_F(StatusItemControllerTest, otherChangeEventsChangeNothing) {
    test::runTask(ui.loop, controller->start());
    ui.backend->clearCalls();
    ObservedItem item{BackendItemToken(Uuid::random()), ItemIdentity{"com.example.a", "A"}, false,
                      std::nullopt};

    ui.backend->pushChange(MenuBarChangeEvent::itemAppeared(item));
    ui.backend->pushChange(MenuBarChangeEvent::itemChanged(item));
    ui.backend->pushChange(MenuBarChangeEvent::itemDisappeared(item.id));
    ui.backend->pushChange(MenuBarChangeEvent::menuBarGeometryUnsettled(true));
    ui.loop.runUntilIdle();

    EXPECT_EQ(ui.interpreter->state(), SessionState());
    EXPECT_TRUE(ui.backend->calls().empty());
    EXPECT_FALSE(ui.strip->pendingAnchorFrame());
    EXPECT_TRUE(controller->isListening());
}

TEST_F(StatusItemControllerTest, aFailedRefreshStillResolvesClicksAgainstTheNewGroups) {
    test::runTask(ui.loop, controller->start());
    ui.backend->failNext(Operation::placeOwnChrome, BackendError::underlying("no bar"));

    EXPECT_THROW(test::runTask(ui.loop, controller->refreshChrome({play})), BackendError);
    click(work);
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());

    click(play);
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::open(play.id));
}

TEST_F(StatusItemControllerTest, destroyingTheControllerStopsTheListening) {
    test::runTask(ui.loop, controller->start());
    controller.reset();
    ui.loop.runUntilIdle();

    click(work);
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
}
