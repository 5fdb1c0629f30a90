#pragma once

#include "EventPrinting.h"
#include "async/Channel.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"
#include "domain/Uuid.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/PortCounter.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::test {

using namespace std::chrono_literals;

/// The spacer's window name for the namespace "Corvel".
inline const std::string spacerName = "Corvel-HiddenRegionSpacer";
/// The primary icon's fixed handle.
inline const Uuid primary = Uuid::literal("00000000-0000-0000-0000-0000000000F0");

/// The status bar port with a record of what went through it.
class RecordingStatusBar final : public platform::StatusBar {
  public:
    explicit RecordingStatusBar(std::shared_ptr<platform::StatusBar> inner)
        : inner_(std::move(inner)) {}

    std::shared_ptr<platform::StatusItem> statusItem(double length) override {
        created.push_back(inner_->statusItem(length));
        return created.back();
    }
    void removeStatusItem(const std::shared_ptr<platform::StatusItem>& item) override {
        ++removals;
        inner_->removeStatusItem(item);
    }
    void forgetRememberedPosition(const std::string& autosaveName) override {
        inner_->forgetRememberedPosition(autosaveName);
    }

    std::vector<std::shared_ptr<platform::StatusItem>> created;
    int removals = 0;

  private:
    std::shared_ptr<platform::StatusBar> inner_;
};

/// The built-in desktops every backend suite runs on: macOS 26 as reported
/// (Control Center hosts every status item window) and the unhosted one.
struct ScenarioCase {
    std::string name;
};

inline std::vector<ScenarioCase> builtInScenarios() {
    std::vector<ScenarioCase> cases;
    for (const auto& name : sim::ScenarioLoader::builtInNames())
        cases.push_back({name});
    return cases;
}

inline sim::Scenario builtInScenario(const ScenarioCase& which) {
    return sim::ScenarioLoader::builtIn(which.name);
}

inline std::string scenarioName(const testing::TestParamInfo<ScenarioCase>& info) {
    return info.param.name;
}

/// Appends every event of the stream until it is closed.
inline async::Task<void> collectEvents(std::shared_ptr<MenuBarBackend::ChangeStream> stream,
                                       std::shared_ptr<std::vector<MenuBarChangeEvent>> out) {
    for (;;) {
        auto event = co_await stream->receive();
        if (!event)
            co_return;
        out->push_back(std::move(*event));
    }
}

/// A backend on a simulated desktop, both on one manual loop, so that the
/// poll runs in virtual time.
class BackendOnDesktop : public testing::TestWithParam<ScenarioCase> {
  protected:
    void start(sim::Scenario scenario) {
        desktop = sim::SimulatedDesktop::create(loop, std::move(scenario));
        auto services = desktop->services();
        statusBar = std::make_shared<RecordingStatusBar>(services.statusBar);
        services = portCounter.wrap(std::move(services));
        services.statusBar = statusBar;
        backend = std::make_unique<Mac26Backend>("Corvel", services, loop, loop);
        events = std::make_shared<std::vector<MenuBarChangeEvent>>();
        consumer = async::spawn(loop, collectEvents(backend->changes(), events));
        loop.runUntilIdle();
    }
    void start() { start(builtInScenario(GetParam())); }

    void TearDown() override {
        backend.reset();
        loop.runUntilIdle();
    }

    /// Runs `task` on the loop, advancing virtual time in steps of `step`
    /// until it has finished (at most `limit`); rethrows what it threw.
    template <class T>
    std::optional<T> run(async::Task<T> task, async::Duration limit = 10s,
                         async::Duration step = 1ms) {
        auto result = std::make_shared<std::optional<T>>();
        auto handle = async::spawn(loop, store(std::move(task), result));
        advanceUntil([&] { return handle.isDone(); }, limit, step);
        if (auto failure = handle.failure())
            std::rethrow_exception(failure);
        return *result;
    }
    void run(async::Task<void> task, async::Duration limit = 10s) {
        auto handle = async::spawn(loop, awaitVoid(std::move(task)));
        advanceUntil([&] { return handle.isDone(); }, limit, 1ms);
        if (auto failure = handle.failure())
            std::rethrow_exception(failure);
        ASSERT_TRUE(handle.isDone());
    }

    /// The BackendError a task threw, or none.
    std::optional<BackendError> failureOf(async::Task<void> task) {
        try {
            run(std::move(task));
        } catch (const BackendError& error) {
            return error;
        }
        return std::nullopt;
    }

    void prepare() { run(backend->prepare()); }

    /// The status bar items as a person sees them, by window name.
    std::optional<sim::BarItem> barItem(const std::string& name) const {
        for (const auto& item : desktop->itemsLeftToRight())
            if (item.name == name)
                return item;
        return std::nullopt;
    }

    std::vector<MenuBarChangeEvent> takeEvents() {
        loop.runUntilIdle();
        return std::exchange(*events, {});
    }

    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<RecordingStatusBar> statusBar;
    /// Every call of the backend's window-list, accessibility, workspace
    /// and event ports.
    PortCounter portCounter;
    std::unique_ptr<Mac26Backend> backend;
    std::shared_ptr<std::vector<MenuBarChangeEvent>> events;
    async::SpawnHandle consumer;

  private:
    template <class T>
    static async::Task<void> store(async::Task<T> task, std::shared_ptr<std::optional<T>> out) {
        out->emplace(co_await std::move(task));
    }
    static async::Task<void> awaitVoid(async::Task<void> task) { co_await std::move(task); }

    void advanceUntil(const std::function<bool()>& done, async::Duration limit,
                      async::Duration step) {
        loop.runUntilIdle();
        for (async::Duration waited{0}; !done() && waited < limit; waited += step)
            loop.advance(step);
    }
};

} // namespace corvel::test
