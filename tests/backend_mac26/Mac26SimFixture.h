#pragma once

#include "BackendTestSupport.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "platform/EventType.h"

#include <string>
#include <vector>

namespace corvel::test {} // namespace corvel::test

namespace corvel {
/// Readable failures: the case, and the reason's number for unavailable.
inline void PrintTo(const CaptureResult& result, std::ostream* out) {
    if (result.kind() == CaptureResult::Kind::captured)
        *out << "captured";
    else
        *out << "unavailable(" << static_cast<int>(result.reason()) << ")";
}
} // namespace corvel

namespace corvel::test {

/// An application with one extra, described and with a menu of one entry.
inline sim::Scenario::Application
applicationWithOneExtra(std::string name, std::string bundleIdentifier, std::string autosaveName,
                        std::string description, std::string menuEntry) {
    sim::Scenario::Application application;
    application.name = std::move(name);
    application.bundleIdentifier = std::move(bundleIdentifier);
    sim::Scenario::Extra extra;
    extra.autosaveName = std::move(autosaveName);
    extra.description = std::move(description);
    extra.menu = {std::move(menuEntry)};
    application.extras.push_back(extra);
    return application;
}

/// A built-in desktop with two test applications added: Testbed (one extra,
/// "testbed.one", described "Testbed One") and Twinlight (two extras,
/// "twinlight.a" and "twinlight.b", without title or description).
inline sim::Scenario backendScenario(const ScenarioCase& which) {
    sim::Scenario scenario = builtInScenario(which);
    scenario.applications.push_back(applicationWithOneExtra(
        "Testbed", "com.example.testbed", "testbed.one", "Testbed One", "Testbed Settings…"));

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

/// Item faults with one switch set, for setItemFaults.
template <class Field, class Value>
sim::ItemFaults faultWith(Field sim::ItemFaults::*field, Value value) {
    sim::ItemFaults faults;
    faults.*field = value;
    return faults;
}

/// A backend on a built-in desktop with the test applications, plus what
/// the tests of its moves, presses and placements look at.
class Mac26SimTest : public BackendOnDesktop {
  protected:
    void SetUp() override { startWith(backendScenario(GetParam())); }

    void startWith(sim::Scenario scenario) {
        hosted_ = scenario.hostStatusItemsInHost;
        start(std::move(scenario));
        windows = MenuBarWindowList(desktop);
        selfPID = desktop->currentProcessIdentifier();
    }

    /// Whether Control Center owns every status item window.
    bool hosted() const { return hosted_; }

    std::uint32_t window(const std::string& name) const {
        auto number = desktop->windowNumberOf(name);
        EXPECT_TRUE(number) << name;
        return number.value_or(0);
    }
    BackendItemToken token(const std::string& name) const {
        return Mac26WindowToken::token(window(name));
    }
    platform::Rect frameOf(const std::string& name) const {
        auto item = barItem(name);
        EXPECT_TRUE(item) << name;
        return item ? item->frame : platform::Rect{};
    }
    std::int32_t pid(const std::string& bundleIdentifier) const {
        return desktop->pidOf(bundleIdentifier).value_or(-1);
    }
    /// The owner the backend addresses for an item of `bundleIdentifier`:
    /// its window's owner, which is Control Center while it hosts them.
    std::int32_t windowOwner(const std::string& bundleIdentifier) const {
        return hosted() ? pid("com.apple.controlcenter") : pid(bundleIdentifier);
    }

    /// A status item of this process, registered and settled.
    std::shared_ptr<platform::StatusItem> makeItem(const std::string& name, double length = 24) {
        auto item = desktop->statusItem(length);
        item->setAutosaveName(name);
        loop.advance(500ms);
        return item;
    }

    /// The item as the backend reads it now.
    ObservedItem observed(const std::string& name) {
        const auto items = run(backend->currentItems());
        for (const auto& item : *items)
            if (item.id == token(name))
                return item;
        ADD_FAILURE() << "not observed: " << name;
        return ObservedItem{token(name), {}, false, std::nullopt};
    }

    std::vector<sim::PostedEvent> postedOfTypes(std::vector<platform::EventType> types) const {
        std::vector<sim::PostedEvent> result;
        for (const auto& posted : desktop->postedEvents())
            for (const auto type : types)
                if (posted.event.type == type)
                    result.push_back(posted);
        return result;
    }
    std::vector<sim::PostedEvent> mouseEvents() const {
        return postedOfTypes(
            {platform::EventType::leftMouseDown, platform::EventType::leftMouseUp});
    }
    std::vector<sim::PostedEvent> keyEvents() const {
        return postedOfTypes({platform::EventType::keyDown, platform::EventType::keyUp});
    }

    /// The task without its result, for attempt() and spawn().
    template <class T> static async::Task<void> discard(async::Task<T> task) {
        co_await std::move(task);
    }

    /// Runs a task from now on, so that sinceStart() measures from here.
    std::optional<BackendError> attempt(async::Task<void> task) {
        startedAt = loop.now();
        return failureOf(std::move(task));
    }
    std::chrono::milliseconds sinceStart(async::TimePoint at) const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(at - startedAt);
    }

    MenuBarWindowList windows{nullptr};
    std::int32_t selfPID = 0;
    async::TimePoint startedAt{};

  private:
    bool hosted_ = false;
};

} // namespace corvel::test
