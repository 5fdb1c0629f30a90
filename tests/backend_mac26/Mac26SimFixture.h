#pragma once

#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "platform/EventType.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"

#include <chrono>
#include <exception>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::test {

using namespace std::chrono_literals;

/// The built-in desktop of that name ("default": Control Center hosts every
/// status item window; "unhosted": each application owns its windows), with
/// two test applications added: Testbed (one extra, "testbed.one") and
/// Twinlight (two extras without title or description).
inline sim::Scenario backendScenario(const std::string& name) {
    sim::Scenario scenario = sim::ScenarioLoader::defaultScenario();
    scenario.hostStatusItemsInHost = name == "default";

    sim::Scenario::Application testbed;
    testbed.name = "Testbed";
    testbed.bundleIdentifier = "com.example.testbed";
    sim::Scenario::Extra one;
    one.autosaveName = "testbed.one";
    one.description = "Testbed One";
    one.menu = {"Testbed Settings…"};
    testbed.extras.push_back(one);
    scenario.applications.push_back(testbed);

    sim::Scenario::Application twinlight;
    twinlight.name = "Twinlight";
    twinlight.bundleIdentifier = "com.example.twinlight";
    for (std::string name : {"twinlight.a", "twinlight.b"}) {
        sim::Scenario::Extra twin;
        twin.autosaveName = name;
        twin.width = 26;
        twin.menu = {name + " menu"};
        twinlight.extras.push_back(twin);
    }
    scenario.applications.push_back(twinlight);
    return scenario;
}

inline std::vector<std::string> backendScenarioNames() {
    return {"default", "unhosted"};
}

/// Item faults with one switch set, for setItemFaults.
template <class Field, class Value>
sim::ItemFaults faultWith(Field sim::ItemFaults::*field, Value value) {
    sim::ItemFaults faults;
    faults.*field = value;
    return faults;
}

/// Names each instance of a suite after its scenario.
inline std::string scenarioName(const ::testing::TestParamInfo<std::string>& info) {
    return info.param;
}

/// A simulated desktop in one of the built-in scenarios, on virtual time.
class Mac26SimTest : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override { start(backendScenario(GetParam())); }

    void start(sim::Scenario scenario) {
        desktop = sim::SimulatedDesktop::create(loop, std::move(scenario));
        windows = MenuBarWindowList(desktop);
        selfPID = desktop->currentProcessIdentifier();
        loop.runUntilIdle();
    }

    bool hosted() const { return GetParam() == "default"; }

    std::uint32_t window(const std::string& name) const {
        auto number = desktop->windowNumberOf(name);
        EXPECT_TRUE(number) << name;
        return number.value_or(0);
    }
    BackendItemToken token(const std::string& name) const {
        return Mac26WindowToken::token(window(name));
    }
    std::optional<sim::BarItem> barItem(const std::string& name) const {
        for (const auto& item : desktop->itemsLeftToRight())
            if (item.name == name)
                return item;
        return std::nullopt;
    }
    platform::Rect frameOf(const std::string& name) const {
        auto item = barItem(name);
        EXPECT_TRUE(item) << name;
        return item ? item->frame : platform::Rect{};
    }
    std::int32_t ownerOf(const std::string& name) const {
        auto item = barItem(name);
        return item ? item->ownerPid : -1;
    }
    std::int32_t pid(const std::string& bundleIdentifier) const {
        return desktop->pidOf(bundleIdentifier).value_or(-1);
    }

    /// A status item of this process, registered and settled.
    std::shared_ptr<platform::StatusItem> makeItem(const std::string& name, double length = 24) {
        auto item = desktop->statusItem(length);
        item->setAutosaveName(name);
        loop.advance(500ms);
        return item;
    }

    std::vector<sim::PostedEvent> mouseEvents() const {
        std::vector<sim::PostedEvent> result;
        for (const auto& posted : desktop->postedEvents())
            if (posted.event.type == platform::EventType::leftMouseDown ||
                posted.event.type == platform::EventType::leftMouseUp)
                result.push_back(posted);
        return result;
    }
    std::vector<sim::PostedEvent> keyEvents() const {
        std::vector<sim::PostedEvent> result;
        for (const auto& posted : desktop->postedEvents())
            if (posted.event.type == platform::EventType::keyDown ||
                posted.event.type == platform::EventType::keyUp)
                result.push_back(posted);
        return result;
    }
    std::chrono::milliseconds sinceStart(async::TimePoint at) const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(at - startedAt);
    }

    /// Spawns a task and advances virtual time until it is done (at most a
    /// minute); its result or exception is kept.
    template <class T> struct Outcome {
        std::optional<T> value;
        std::exception_ptr failure;
        bool done = false;
    };
    template <class T> static async::Task<void> keep(async::Task<T> task, Outcome<T>* out) {
        try {
            out->value.emplace(co_await std::move(task));
        } catch (...) {
            out->failure = std::current_exception();
        }
        out->done = true;
    }
    static async::Task<void> keepVoid(async::Task<void> task, Outcome<bool>* out) {
        try {
            co_await std::move(task);
            out->value = true;
        } catch (...) {
            out->failure = std::current_exception();
        }
        out->done = true;
    }
    template <class T> Outcome<T> run(async::Task<T> task) {
        Outcome<T> outcome;
        startedAt = loop.now();
        async::spawn(loop, keep(std::move(task), &outcome));
        finish([&] { return outcome.done; });
        return outcome;
    }
    Outcome<bool> run(async::Task<void> task) {
        Outcome<bool> outcome;
        startedAt = loop.now();
        async::spawn(loop, keepVoid(std::move(task), &outcome));
        finish([&] { return outcome.done; });
        return outcome;
    }
    template <class Done> void finish(Done done) {
        for (int step = 0; step < 60000 && !done(); ++step)
            loop.advance(1ms);
        ASSERT_TRUE(done()) << "the task did not finish within a minute of virtual time";
    }

    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    MenuBarWindowList windows{nullptr};
    std::int32_t selfPID = 0;
    async::TimePoint startedAt{};
};

/// The BackendError a task ended with; fails the test for anything else.
template <class T> std::optional<BackendError> backendError(const T& outcome) {
    if (!outcome.failure)
        return std::nullopt;
    try {
        std::rethrow_exception(outcome.failure);
    } catch (const BackendError& error) {
        return error;
    } catch (...) {
        ADD_FAILURE() << "a failure other than BackendError";
    }
    return std::nullopt;
}

} // namespace corvel::test
