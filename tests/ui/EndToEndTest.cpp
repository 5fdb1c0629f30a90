// The menu bar interface on the macOS backend over the simulated desktop: real
// status items, clicks through the window server and menus the desktop opens.
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/Mac26OwnNames.h"
#include "domain/WellKnownGroup.h"
#include "engine/ChromeBlockPlanner.h"
#include "engine/GhostRecoveryCoordinator.h"
#include "engine/SystemRevealAllClock.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/ScriptedModalAlerts.h"
#include "ui/CorvelMenuController.h"
#include "ui/StatusItemController.h"
#include "ui/StripPanel.h"
#include "ui/StripRowButton.h"
#include "ui/StripWindowController.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

const Group workGroup{GroupID{Uuid::literal("AAAAAAAA-0000-0000-0000-000000000001")}, "Work",
                      "hammer.fill", std::nullopt, 0};
const char* const workApplication = "com.example.driftwood";

async::Task<bool> ownedBy(std::string bundleIdentifier, ObservedItem item) {
    co_return item.identity.bundleID == bundleIdentifier;
}

async::Task<void> finish(async::Task<void> task, std::shared_ptr<bool> done) {
    co_await std::move(task);
    *done = true;
}

async::Task<void> readInto(std::shared_ptr<Mac26Backend> backend,
                           std::shared_ptr<std::vector<ObservedItem>> out) {
    auto reading = backend->currentItems();
    *out = co_await std::move(reading);
}

// On each built-in desktop: Control Center hosting every status item window
// (macOS 26) and each application owning its own.
class EndToEndTest : public ::testing::TestWithParam<std::string> {
  protected:
    EndToEndTest() {
        desktop = sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::builtIn(GetParam()));
        auto services = desktop->services();
        backend = std::make_shared<Mac26Backend>("Corvel", services, loop, loop);
        strip = StripWindowController::create(
            loop, backend,
            [](const GroupID& group) -> GroupMembersViewModel::MembershipTest {
                std::string filed = group == workGroup.id ? workApplication : "";
                return [filed](ObservedItem item) { return ownedBy(filed, std::move(item)); };
            },
            {desktop, desktop, desktop}, StripWindowController::identityMapping());
        interpreter = StripEffectInterpreter::create(
            backend, strip->lookup(), strip, std::make_shared<SystemRevealAllClock>(), loop, log);
        strip->setInterpreter(interpreter);
        ghostRecovery = GhostRecoveryCoordinator::create(backend, services.environment);
        menu = CorvelMenuController::create(
            loop,
            {interpreter, strip, ghostRecovery, [] {},
             [backend = backend] { return backend->primaryIconFrame(); }, alerts, [] {}, nullptr});
        controller = StatusItemController::create(loop, backend, interpreter, strip, {workGroup});
        controller->setMenuController(menu);

        run(backend->prepare());
        run(controller->start());
    }

    ~EndToEndTest() override {
        strip->panel().hide();
        controller.reset();
        loop.runUntilIdle();
    }

    void run(async::Task<void> task) {
        auto done = std::make_shared<bool>(false);
        auto handle = async::spawn(loop, finish(std::move(task), done));
        for (int step = 0; step < 10000 && !handle.isDone(); ++step)
            loop.advance(1ms);
        if (auto failure = handle.failure())
            std::rethrow_exception(failure);
        ASSERT_TRUE(*done);
    }
    void settle(async::Duration span = 1s) {
        for (auto passed = async::Duration{}; passed < span; passed += 10ms)
            loop.advance(10ms);
    }

    std::optional<sim::BarItem> barItem(const std::string& name) const {
        for (const auto& item : desktop->itemsLeftToRight())
            if (item.name == name)
                return item;
        return std::nullopt;
    }
    platform::Point centreOf(const platform::Rect& frame) const {
        return {frame.midX(), frame.minY() + frame.size.height / 2};
    }
    /// The filed application's item as the backend reads it now.
    std::optional<ObservedItem> workItem() {
        auto items = std::make_shared<std::vector<ObservedItem>>();
        run(readInto(backend, items));
        for (const auto& item : *items)
            if (item.identity.bundleID == workApplication)
                return item;
        return std::nullopt;
    }
    std::vector<StripRowButton*> rows() const {
        auto found = strip->panel().content()->findChildren<StripRowButton*>();
        return {found.begin(), found.end()};
    }

    async::ManualLoop loop;
    test::MemoryLog log;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<Mac26Backend> backend;
    std::shared_ptr<StripWindowController> strip;
    std::shared_ptr<StripEffectInterpreter> interpreter;
    std::shared_ptr<GhostRecoveryCoordinator> ghostRecovery;
    std::shared_ptr<test::ScriptedModalAlerts> alerts =
        std::make_shared<test::ScriptedModalAlerts>();
    std::shared_ptr<CorvelMenuController> menu;
    std::shared_ptr<StatusItemController> controller;
};

} // namespace

TEST_P(EndToEndTest, clickingAGroupIconOpensItsStripUnderTheIconAndARowPressesTheRealItem) {
    auto icon = barItem(Mac26OwnNames::iconName("Corvel", workGroup.id.rawValue()));
    ASSERT_TRUE(icon);

    desktop->click(centreOf(icon->frame));
    settle();

    ASSERT_TRUE(strip->panel().isVisible());
    EXPECT_EQ(interpreter->state().strip(), StripState::open(workGroup.id));
    EXPECT_EQ(strip->panel().pos().x(), int(icon->frame.origin.x));
    auto found = rows();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->text(), "Driftwood");
    // The item is in view, so its live picture was captured and shown as a glyph.
    EXPECT_EQ(found[0]->iconSize().height(), 18);

    QTest::mouseClick(found[0], Qt::LeftButton);
    settle();
    EXPECT_FALSE(strip->panel().isVisible());
    auto menus = desktop->openMenus();
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].ownerPid, desktop->pidOf(workApplication));
    EXPECT_EQ(menus[0].titles,
              (std::vector<std::string>{"Driftwood Settings\u2026", "Quit Driftwood"}));

    desktop->pressKey(53);
    settle(3s);
    EXPECT_TRUE(desktop->openMenus().empty());
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
}

TEST_P(EndToEndTest, aRowOfAHiddenItemRevealsItPressesItAndPutsItBackWhenItsMenuCloses) {
    auto filed = workItem();
    ASSERT_TRUE(filed);
    run(backend->moveIntoHiddenRegion(*filed));
    run(backend->hideRegion());
    ASSERT_TRUE(workItem()->isInHiddenRegion);

    auto icon = barItem(Mac26OwnNames::iconName("Corvel", workGroup.id.rawValue()));
    ASSERT_TRUE(icon);
    desktop->click(centreOf(icon->frame));
    settle();
    auto found = rows();
    ASSERT_EQ(found.size(), 1u);
    // Hidden items are never captured: the row shows the application's icon.
    auto running = desktop->runningApplicationsWithBundleIdentifier(workApplication);
    ASSERT_FALSE(running.empty());
    EXPECT_EQ(found[0]->iconSize().height(), int(running.front().icon->size().height));

    QTest::mouseClick(found[0], Qt::LeftButton);
    settle();
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    EXPECT_FALSE(workItem()->isInHiddenRegion) << "revealed while its menu is open";

    desktop->pressKey(53);
    settle(3s);
    EXPECT_TRUE(desktop->openMenus().empty());
    EXPECT_TRUE(workItem()->isInHiddenRegion);
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
}

TEST_P(EndToEndTest, thePrimaryIconOpensCorvelsOwnMenuWhoseHiddenGroupOpensUnderTheIcon) {
    auto primary = barItem(Mac26OwnNames::iconName("Corvel", ChromeBlockPlanner::corvelIconHandle));
    ASSERT_TRUE(primary);

    desktop->click(centreOf(primary->frame));
    settle();

    EXPECT_FALSE(strip->panel().isVisible()) << "the primary icon opens no Strip";
    auto menus = desktop->openMenus();
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].ownerPid, desktop->currentProcessIdentifier());
    EXPECT_EQ(menus[0].titles,
              (std::vector<std::string>{"Settings\u2026", "-", "Find Item\u2026", "Hidden Group",
                                        "Show All Items for 30 Seconds", "-", "Repair Menu Bar",
                                        "-", "Quit Corvel"}));

    const auto& frame = menus[0].frame;
    desktop->click({frame.midX(), frame.minY() + 5 + 22 * 3 + 11});
    settle();

    EXPECT_TRUE(desktop->openMenus().empty());
    EXPECT_EQ(interpreter->state().strip(), StripState::open(WellKnownGroup::hidden));
    ASSERT_TRUE(strip->panel().isVisible());
    EXPECT_EQ(strip->panel().pos().x(), int(primary->frame.origin.x));
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, EndToEndTest,
                         ::testing::ValuesIn(sim::ScenarioLoader::builtInNames()),
                         [](const auto& info) { return info.param; });
