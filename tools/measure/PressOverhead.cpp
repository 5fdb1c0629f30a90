#include "measure/PressOverhead.h"

#include "app/QtLoop.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "sim/SimulatedDesktop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>

namespace corvel::measure {

namespace {

using namespace std::chrono_literals;

constexpr const char* pressedName = "presslight.item";
/// Long enough for the reveal's supervision to see the menu open.
constexpr auto menuOpenFor = 200ms;
constexpr qint64 liveLimitMs = 60000;
constexpr auto settleAfterPreparing = 500ms;

sim::Scenario withPressedItem(sim::Scenario scenario) {
    sim::Scenario::Application application;
    application.name = "Presslight";
    application.bundleIdentifier = "com.example.presslight";
    sim::Scenario::Extra extra;
    extra.autosaveName = pressedName;
    extra.description = "Presslight";
    extra.menu = {"Presslight Settings…"};
    extra.faults.menuAutoClose = menuOpenFor;
    application.extras.push_back(extra);
    scenario.applications.push_back(application);
    scenario.accessibilityReadCost = 0ms;
    return scenario;
}

async::Task<ObservedItem> readItem(std::shared_ptr<MenuBarBackend> backend,
                                   BackendItemToken token) {
    auto reading = backend->currentItems();
    const auto items = co_await std::move(reading);
    for (const auto& item : items)
        if (item.id == token)
            co_return item;
    throw std::runtime_error("the pressed item is not in the menu bar");
}

/// Files the item, then presses it again and again, timing each press on
/// the main loop's clock.
/// What each press took, and how late the loops' timers fired meanwhile.
struct Timings {
    std::function<async::TimerQueue::Lateness()> timersLateSoFar = [] {
        return async::TimerQueue::Lateness{};
    };
    std::vector<async::Duration> durations;
    std::vector<async::Duration> timersLate;
    std::vector<std::uint64_t> timersFired;
};

async::Task<void> pressRepeatedly(std::shared_ptr<MenuBarBackend> backend, BackendItemToken token,
                                  int presses, std::shared_ptr<Timings> timings) {
    async::Executor& executor = co_await async::currentExecutor();
    auto preparing = backend->prepare();
    co_await std::move(preparing);
    // Until Corvel's new items settle, their frames drift between readings
    // and a live reading cannot match windows to applications.
    co_await async::sleepFor(settleAfterPreparing);
    auto reading = readItem(backend, token);
    auto item = co_await std::move(reading);
    auto filing = backend->moveIntoHiddenRegion(item);
    co_await std::move(filing);
    for (int press = 0; press < presses; ++press) {
        auto current = readItem(backend, token);
        item = co_await std::move(current);
        const auto began = executor.now();
        const auto lateBefore = timings->timersLateSoFar();
        auto pressing = backend->press(item);
        co_await std::move(pressing);
        timings->durations.push_back(executor.now() - began);
        const auto lateAfter = timings->timersLateSoFar();
        timings->timersLate.push_back(lateAfter.total - lateBefore.total);
        timings->timersFired.push_back(lateAfter.timers - lateBefore.timers);
    }
}

BackendItemToken tokenOf(const sim::SimulatedDesktop& desktop) {
    const auto window = desktop.windowNumberOf(pressedName);
    if (!window)
        throw std::runtime_error("the item to press has no window");
    return Mac26WindowToken::token(*window);
}

void rethrowFailure(const async::SpawnHandle& handle) {
    if (auto failure = handle.failure())
        std::rethrow_exception(failure);
}

std::vector<async::Duration> inVirtualTime(const sim::Scenario& scenario, int presses) {
    async::ManualLoop loop;
    auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    loop.advance(1s);
    auto backend = std::make_shared<Mac26Backend>("Corvel", desktop->services(), loop, loop);
    auto timings = std::make_shared<Timings>();
    auto handle = async::spawn(loop, pressRepeatedly(backend, tokenOf(*desktop), presses, timings));
    while (!handle.isDone() && loop.advanceToNextTimer()) {
    }
    rethrowFailure(handle);
    backend.reset();
    loop.runUntilIdle();
    return timings->durations;
}

Timings live(const sim::Scenario& scenario, int presses) {
    app::QtLoop main;
    auto background = std::make_unique<async::ThreadLoop>();
    auto desktop = sim::SimulatedDesktop::create(main, scenario);
    // As in virtual time: the desktop's items registered and settled.
    QEventLoop settling;
    QTimer::singleShot(1000, &settling, &QEventLoop::quit);
    settling.exec();
    auto backend = std::make_shared<Mac26Backend>("Corvel", desktop->services(), main, *background);
    auto timings = std::make_shared<Timings>();
    timings->timersLateSoFar = [&main, &background] {
        const auto onMain = main.timerLateness();
        const auto onBackground = background->timerLateness();
        return async::TimerQueue::Lateness{onMain.total + onBackground.total,
                                           onMain.timers + onBackground.timers};
    };
    auto handle = async::spawn(main, pressRepeatedly(backend, tokenOf(*desktop), presses, timings));
    // Waits for events rather than spinning, so that the main thread takes
    // no time from the background thread that the press needs.
    QElapsedTimer elapsed;
    elapsed.start();
    while (!handle.isDone() && elapsed.elapsed() < liveLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const bool done = handle.isDone();
    // The runtime's shutdown order: the backend's tasks end, the thread loop
    // hands back what it holds, the main loop lets it end.
    handle.cancel();
    backend.reset();
    main.runUntilIdle();
    background.reset();
    main.runUntilIdle();
    desktop.reset();
    if (!done)
        throw std::runtime_error("the live presses took more than a minute");
    rethrowFailure(handle);
    timings->timersLateSoFar = nullptr;
    return std::move(*timings);
}

} // namespace

PressOverhead::Result PressOverhead::measure(sim::Scenario scenario, int presses) {
    const auto desktop = withPressedItem(std::move(scenario));
    Result result;
    result.waits = inVirtualTime(desktop, presses);
    auto timings = live(desktop, presses);
    result.live = std::move(timings.durations);
    result.timersLate = std::move(timings.timersLate);
    result.timersFired = std::move(timings.timersFired);
    return result;
}

} // namespace corvel::measure
