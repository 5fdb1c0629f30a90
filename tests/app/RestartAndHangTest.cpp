// Corvel through what a real Mac does to it: Control Center restarting in the
// middle of a run, and an application that stops answering.
#include "app/WholeRun.h"
#include "async/Sleep.h"
#include "settings_ui/HostWindow.h"
#include "ui/StripPanel.h"
#include "ui/StripWindowController.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

namespace {

constexpr const char* controlCenter = "com.apple.controlcenter";

/// How late the main loop's work ran: a tick every 20 ms notes how long after
/// its due time it came. A main thread held by a call into another
/// application shows as a tick that came late.
async::Task<void> heartbeat(std::shared_ptr<async::Duration> worst) {
    async::Executor& loop = co_await async::currentExecutor();
    for (;;) {
        const auto due = loop.now() + 20ms;
        co_await async::sleepFor(20ms);
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return;
        *worst = std::max(*worst, loop.now() - due);
    }
}

/// A whole run on each built-in desktop; `threaded` puts the backend's
/// background work on a thread of its own, as on a Mac.
class RunOnEachDesktop : public ::testing::TestWithParam<std::string>, public WholeRun {
  protected:
    explicit RunOnEachDesktop(bool threaded)
        : WholeRun(sim::ScenarioLoader::builtIn(GetParam()), threaded) {}

    /// Opens the Group's Strip and presses the application's row; its own
    /// menu opens, is read and closed, and the item goes back out of sight.
    void pressThroughStrip(const std::string& group, const char* bundle, int rows) {
        person->clickBarItem(*person->groupIcon(group));
        ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == rows; }, 2s))
            << group << " shows " << person->stripRowCount() << " rows";
        person->pressStripRow(bundle);
        ASSERT_TRUE(advanceUntil(
            [&] {
                const auto menus = desktop->openMenus();
                return menus.size() == 1 && menus[0].ownerPid == desktop->pidOf(bundle);
            },
            3s))
            << bundle;
        // A person reads the menu before closing it.
        loop.advance(1s);
        desktop->pressKey(53);
        ASSERT_TRUE(advanceUntil([&] { return !person->isItemInView(bundle); }, 3s)) << bundle;
        // The press ends once the move back is confirmed, a moment after the
        // item has gone; a Strip row pressed before then is one reveal too many.
        loop.advance(300ms);
    }

    void expectEveryItemInItsLane() {
        delegate->settingsWindowController()->show();
        person->showLayoutPane();
        for (auto [bundle, group] : filings())
            EXPECT_TRUE(advanceUntil([&] { return person->isTileInLane(bundle, group); }, 2s))
                << bundle;
        delegate->settingsWindowController()->window().close();
    }
};

class RestartRun : public RunOnEachDesktop {
  protected:
    RestartRun() : RunOnEachDesktop(false) {}
};

// File three items, restart Control Center, open each Strip and press each
// row, relaunch: every filed item stays in its Group all along.
TEST_P(RestartRun, filedItemsKeepTheirGroupsThroughAControlCenterRestartAndARelaunch) {
    launch();
    createGroupsAndFile();
    delegate->settingsWindowController()->window().close();

    desktop->quitApplication(controlCenter);
    ASSERT_TRUE(advanceUntil([&] { return desktop->pidOf(controlCenter).has_value(); }, 2s));
    // The Strip opened the moment the host is back still holds its items.
    pressThroughStrip("Work", driftwood, 2);
    pressThroughStrip("Work", orrery, 2);
    pressThroughStrip("Media", cobble, 1);
    EXPECT_TRUE(allFiledHidden());
    expectEveryItemInItsLane();

    quit();
    launch();
    EXPECT_TRUE(advanceUntil([&] { return allFiledHidden(); }, 10s));
    pressThroughStrip("Work", orrery, 2);
    expectEveryItemInItsLane();
    for (const auto& line : log->lines())
        EXPECT_EQ(line.find("did not"), std::string::npos) << line;
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, RestartRun,
                         ::testing::ValuesIn(sim::ScenarioLoader::builtInNames()),
                         [](const auto& info) { return info.param; });

class HungApplication : public RunOnEachDesktop {
  protected:
    HungApplication() : RunOnEachDesktop(true) {}

    std::shared_ptr<async::Duration> worstLateness = std::make_shared<async::Duration>();
};

// Pressing the hung application's item, reading the other Group members and
// listing the items in the settings all go on while its reads wait out their
// timeout, and the main loop is never held.
TEST_P(HungApplication, neverFreezesTheMenuAStripOrTheSettings) {
    launch();
    createGroupsAndFile();
    delegate->settingsWindowController()->window().close();
    desktop->setApplicationHung(driftwood, true);
    auto ticking = async::spawn(loop, heartbeat(worstLateness));

    person->clickBarItem(*person->groupIcon("Work"));
    ASSERT_TRUE(advanceUntil([&] { return person->stripRowCount() == 2; }, 2s));
    person->pressStripRow(driftwood);
    ASSERT_TRUE(advanceUntil(
        [&] {
            const auto lines = log->lines();
            return std::find(lines.begin(), lines.end(),
                             "Corvel: Driftwood did not open its menu") != lines.end();
        },
        5s));
    EXPECT_TRUE(advanceUntil([&] { return !person->isItemInView(driftwood); }, 2s));

    pressThroughStrip("Work", orrery, 2);
    expectEveryItemInItsLane();

    ticking.cancel();
    loop.advance(20ms);
    EXPECT_LT(*worstLateness, 20ms);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, HungApplication,
                         ::testing::ValuesIn(sim::ScenarioLoader::builtInNames()),
                         [](const auto& info) { return info.param; });

} // namespace
