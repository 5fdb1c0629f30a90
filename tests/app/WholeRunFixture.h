#pragma once

#include "app/CorvelAppDelegate.h"
#include "app/DelegateServices.h"
#include "app/PersonKeyboard.h"
#include "app/ScreenMapping.h"
#include "app/SimulatedPerson.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend_mac26/Mac26Backend.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace corvel::test {

using namespace std::chrono_literals;

inline constexpr const char* driftwood = "com.example.driftwood";
inline constexpr const char* orrery = "net.example.orrery";
inline constexpr const char* cobble = "com.example.cobble";

// Corvel on the simulated desktop with the real backend, store and interface,
// all on one manual loop: minutes of use in virtual time.
struct WholeRunFixture : ::testing::Test {
    async::ManualLoop loop;
    test::TemporaryFolder folder;
    std::shared_ptr<test::MemoryLog> log = std::make_shared<test::MemoryLog>();
    std::shared_ptr<test::ScriptedModalAlerts> alerts =
        std::make_shared<test::ScriptedModalAlerts>();
    sim::Scenario scenario = sim::ScenarioLoader::defaultScenario();
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<app::CorvelAppDelegate> delegate;
    std::unique_ptr<app::SimulatedPerson> person;
    std::unique_ptr<app::PersonKeyboard> keyboard;

    ~WholeRunFixture() override { quit(); }

    void launch() {
        desktop = sim::SimulatedDesktop::create(loop, scenario);
        const double height = scenario.screen.height;
        auto ports = desktop->services();
        ports.systemLog = log;
        delegate = app::CorvelAppDelegate::create(test::delegateServices(
            loop, *desktop, log, alerts, folder.path(),
            [ports, this] { return std::make_shared<Mac26Backend>("Corvel", ports, loop, loop); },
            [] {},
            [height](const platform::Point& origin, const QSize& size) {
                return app::ScreenMapping{}.topLeftOf(origin, size, height);
            }));
        person = std::make_unique<app::SimulatedPerson>(desktop, delegate);
        keyboard = std::make_unique<app::PersonKeyboard>(desktop);
        QCoreApplication::instance()->installEventFilter(keyboard.get());
        delegate->applicationDidFinishLaunching();
        ASSERT_TRUE(advanceUntil([&] { return delegate->launchTask().isDone(); }));
    }

    // Everything Corvel does at quit, then nothing left behind.
    void quit() {
        if (!delegate)
            return;
        auto flushed = async::spawn(loop, delegate->flushStore());
        advanceUntil([&] { return flushed.isDone(); });
        person.reset();
        keyboard.reset();
        delegate.reset();
        desktop.reset();
        loop.runUntilIdle();
    }

    bool advanceUntil(const std::function<bool()>& condition, async::Duration limit = 60s) {
        const auto deadline = loop.now() + limit;
        while (!condition()) {
            if (loop.now() >= deadline)
                return false;
            loop.advance(10ms);
        }
        return true;
    }

    void createGroupsAndFile() {
        delegate->settingsWindowController()->show();
        person->createGroup("Work");
        person->createGroup("Media");
        ASSERT_TRUE(advanceUntil([&] { return person->groupIconsLeftToRight().size() == 2; }));
        person->showLayoutPane();
        for (auto [bundle, group] : {std::pair{driftwood, "Work"}, std::pair{orrery, "Work"},
                                     std::pair{cobble, "Media"}}) {
            ASSERT_TRUE(advanceUntil([&] { return person->applicationItem(bundle).has_value(); }));
            person->dropIntoGroup(bundle, group);
            ASSERT_TRUE(advanceUntil([&] { return person->isTileInLane(bundle, group); }))
                << bundle;
        }
    }

    bool allFiledHidden() const {
        return !person->isItemInView(driftwood) && !person->isItemInView(orrery) &&
               !person->isItemInView(cobble);
    }
    bool allFiledInView() const {
        return person->isItemInView(driftwood) && person->isItemInView(orrery) &&
               person->isItemInView(cobble);
    }

    // Qt hears from the window system which window has the keyboard through
    // its own loop, which nothing else runs here.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QCoreApplication::processEvents();
        person->pressKey(key, modifiers);
        loop.runUntilIdle();
    }
};

} // namespace corvel::test
