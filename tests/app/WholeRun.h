#pragma once

#include "app/CorvelAppDelegate.h"
#include "app/DelegateServices.h"
#include "app/PersonKeyboard.h"
#include "app/ScreenMapping.h"
#include "app/SimulatedPerson.h"
#include "async/ManualLoop.h"
#include "async/ManualThread.h"
#include "async/Spawn.h"
#include "backend_mac26/Mac26Backend.h"
#include "settings_ui/SettingsWindowController.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/PortCounter.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <functional>
#include <memory>
#include <stdexcept>

namespace corvel::test {

using namespace std::chrono_literals;

inline constexpr const char* driftwood = "com.example.driftwood";
inline constexpr const char* orrery = "net.example.orrery";
inline constexpr const char* cobble = "com.example.cobble";

/// Corvel on the simulated desktop with the real backend, store and interface,
/// all on one manual loop: minutes of use in virtual time. With
/// `onBackgroundThread`, the backend's background work (the poll, its
/// accessibility reads, the store's writes) runs on a thread of its own in
/// lockstep with the loop, so that a read that takes long holds that thread
/// only, as on a Mac.
class WholeRun {
  public:
    explicit WholeRun(sim::Scenario desktopScenario = sim::ScenarioLoader::defaultScenario(),
                      bool onBackgroundThread = false)
        : scenario(std::move(desktopScenario)) {
        if (onBackgroundThread)
            background = std::make_unique<async::ManualThread>(loop);
    }
    virtual ~WholeRun() {
        quit();
        background.reset();
    }

    /// A fresh desktop from the scenario, and Corvel on it.
    void launch() {
        desktop = sim::SimulatedDesktop::create(loop, scenario);
        launchCorvel();
    }

    /// Corvel started again on the desktop as it stands and the same store.
    /// Throws when the launch does not end within a minute.
    void launchCorvel() {
        const double height = scenario.screen.height;
        auto ports = desktop->services();
        if (portCounter)
            ports = portCounter->wrap(std::move(ports));
        ports.systemLog = log;
        async::Executor& backgroundExecutor =
            background ? static_cast<async::Executor&>(*background) : loop;
        auto services = delegateServices(
            loop, *desktop, log, alerts, folder.path(),
            [ports, this, &backgroundExecutor] {
                return std::make_shared<Mac26Backend>("Corvel", ports, loop, backgroundExecutor);
            },
            [this] {
                if (onTerminate)
                    onTerminate();
            },
            [height](const platform::Point& origin, const QSize& size) {
                return app::ScreenMapping{}.topLeftOf(origin, size, height);
            });
        services.backgroundExecutor = &backgroundExecutor;
        delegate = app::CorvelAppDelegate::create(std::move(services));
        person = std::make_unique<app::SimulatedPerson>(desktop, delegate);
        keyboard = std::make_unique<app::PersonKeyboard>(desktop);
        QCoreApplication::instance()->installEventFilter(keyboard.get());
        delegate->applicationDidFinishLaunching();
        if (!advanceUntil([&] { return delegate->launchTask().isDone(); }))
            throw std::runtime_error("Corvel's launch did not end within a minute");
    }

    // Everything Corvel does at quit, then nothing left behind.
    void quit() {
        if (!delegate)
            return;
        quitCorvel();
        desktop.reset();
        loop.runUntilIdle();
    }

    /// Corvel's quit path (the store written) and Corvel gone; the desktop
    /// stays.
    void quitCorvel() {
        auto flushed = async::spawn(loop, delegate->flushStore());
        advanceUntil([&] { return flushed.isDone(); });
        endCorvel();
    }

    /// Corvel gone at once, without its quit path, as a killed process goes:
    /// what it had not written yet is lost.
    void endCorvel() {
        person.reset();
        keyboard.reset();
        delegate.reset();
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

    /// Two Groups, "Work" with Driftwood and Orrery, "Media" with Cobble.
    void createGroupsAndFile() {
        delegate->settingsWindowController()->show();
        person->createGroup("Work");
        person->createGroup("Media");
        expect(advanceUntil([&] { return person->groupIconsLeftToRight().size() == 2; }),
               "the two Group icons did not appear");
        person->showLayoutPane();
        for (auto [bundle, group] : filings()) {
            // The person drags the tile as soon as the pane shows it.
            const auto dropped = [&] {
                try {
                    person->dropIntoGroup(bundle, group);
                    return true;
                } catch (const std::runtime_error&) {
                    return false;
                }
            };
            expect(advanceUntil(dropped), std::string("no tile of ") + bundle + " to drag");
            expect(advanceUntil([&] { return person->isTileInLane(bundle, group); }),
                   std::string(bundle) + " is not in the lane of " + group);
        }
    }
    static std::vector<std::pair<const char*, const char*>> filings() {
        return {{driftwood, "Work"}, {orrery, "Work"}, {cobble, "Media"}};
    }

    // A failed step throws, so that a test stops there and a tool can say why.
    static void expect(bool condition, const std::string& failure) {
        if (!condition)
            throw std::runtime_error(failure);
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
    std::optional<std::string> focusedStripRow() {
        QCoreApplication::processEvents();
        return person->focusedStripRow();
    }

    /// The delegate's way out (the primary menu's Quit, the launch alert's
    /// Quit Corvel); nothing by default.
    std::function<void()> onTerminate;

    /// When set before a launch, counts every call of the backend's ports.
    std::shared_ptr<PortCounter> portCounter;
    async::ManualLoop loop;
    std::unique_ptr<async::ManualThread> background;
    TemporaryFolder folder;
    std::shared_ptr<MemoryLog> log = std::make_shared<MemoryLog>();
    std::shared_ptr<ScriptedModalAlerts> alerts = std::make_shared<ScriptedModalAlerts>();
    sim::Scenario scenario;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<app::CorvelAppDelegate> delegate;
    std::unique_ptr<app::SimulatedPerson> person;
    std::unique_ptr<app::PersonKeyboard> keyboard;
};

} // namespace corvel::test
