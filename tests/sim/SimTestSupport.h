#pragma once

#include "async/ManualLoop.h"
#include "platform/EventFlags.h"
#include "platform/WindowInfoKey.h"
#include "sim/SimulatedDesktop.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::test {

using namespace std::chrono_literals;

/// One window of a window-list read, decoded leniently for assertions.
struct ListedWindow {
    std::int64_t layer = 0;
    std::uint32_t number = 0;
    std::int32_t ownerPid = 0;
    std::optional<std::string> name;
    platform::Rect bounds;
};

inline std::vector<ListedWindow> listedWindows(const sim::SimulatedDesktop& desktop,
                                               std::optional<std::int64_t> layer = std::nullopt) {
    using platform::WindowInfoKey;
    std::vector<ListedWindow> result;
    const auto list = desktop.copyWindowInfo(0, 0);
    for (const auto& value : *list->asArray()) {
        ListedWindow window;
        const auto* layerValue = value.find(WindowInfoKey::layer);
        const auto* number = value.find(WindowInfoKey::number);
        if (!layerValue || !number || !layerValue->asInteger())
            continue;
        window.layer = *layerValue->asInteger();
        if (layer && window.layer != *layer)
            continue;
        window.number = static_cast<std::uint32_t>(number->asInteger().value_or(0));
        window.ownerPid = static_cast<std::int32_t>(
            value.find(WindowInfoKey::ownerPID)->asInteger().value_or(-1));
        if (const auto* name = value.find(WindowInfoKey::name))
            window.name = name->asString();
        const auto* bounds = value.find(WindowInfoKey::bounds);
        window.bounds = {{*bounds->find(WindowInfoKey::boundsX)->asNumber(),
                          *bounds->find(WindowInfoKey::boundsY)->asNumber()},
                         {*bounds->find(WindowInfoKey::boundsWidth)->asNumber(),
                          *bounds->find(WindowInfoKey::boundsHeight)->asNumber()}};
        result.push_back(window);
    }
    return result;
}

inline sim::Scenario::Extra extra(std::string autosaveName, std::string description, double width,
                                  std::vector<std::string> menu) {
    sim::Scenario::Extra extra;
    extra.autosaveName = std::move(autosaveName);
    extra.description = std::move(description);
    extra.width = width;
    extra.menu = std::move(menu);
    return extra;
}

/// A small desktop with exact geometry: a 1000-point screen, 8 points of
/// inset, Control Center's clock (100, immovable), Alpha's item (30) and
/// Beta's item (20), laid out as [beta 842][alpha 862][clock 892]. Effects
/// land inside their calls, so tests of other rules can read back at once;
/// the tests of latencies set them.
inline sim::Scenario smallScenario() {
    sim::Scenario scenario;
    scenario.screen.width = 1000;
    scenario.self.name = "Corvel";
    scenario.self.bundleIdentifier = "app.corvel.Corvel";
    scenario.registrationDelay = 0ms;
    scenario.latencies = sim::Latencies::none();

    sim::Scenario::Application host;
    host.name = "Control Center";
    host.bundleIdentifier = "com.apple.controlcenter";
    host.executable = "ControlCenter";
    host.statusBarHost = true;
    host.relaunchAfter = 400ms;
    host.extras.push_back(extra("clock", "Clock", 100, {"Date & Time Settings…"}));
    host.extras.back().identifier = "com.apple.menuextra.clock";
    host.extras.back().movable = false;
    scenario.applications.push_back(host);

    sim::Scenario::Application alpha;
    alpha.name = "Alpha";
    alpha.bundleIdentifier = "com.example.alpha";
    alpha.extras.push_back(extra("alpha", "Alpha", 30, {"Alpha Settings…", "Quit Alpha"}));
    scenario.applications.push_back(alpha);

    sim::Scenario::Application beta;
    beta.name = "Beta";
    beta.bundleIdentifier = "com.example.beta";
    beta.extras.push_back(extra("beta", "Beta", 20, {"Beta Settings…"}));
    beta.extras.back().title = "B";
    scenario.applications.push_back(beta);
    return scenario;
}

class SimulatedDesktopTest : public ::testing::Test {
  protected:
    void start(sim::Scenario scenario = smallScenario()) {
        desktop = sim::SimulatedDesktop::create(loop, std::move(scenario));
    }

    std::uint32_t window(const std::string& name) const {
        auto number = desktop->windowNumberOf(name);
        EXPECT_TRUE(number) << name;
        return number.value_or(0);
    }

    platform::Rect frameOf(const std::string& name) const {
        for (const auto& item : desktop->itemsLeftToRight())
            if (item.name == name)
                return item.frame;
        ADD_FAILURE() << "no item named " << name;
        return {};
    }

    std::vector<std::string> namesLeftToRight() const {
        std::vector<std::string> names;
        for (const auto& item : desktop->itemsLeftToRight())
            names.push_back(item.name);
        return names;
    }

    std::int32_t pid(const std::string& bundleIdentifier) const {
        return desktop->pidOf(bundleIdentifier).value_or(-1);
    }

    /// The children of the application's extras menu bar.
    std::vector<platform::AccessibilityElement> extrasOf(std::int32_t processId) {
        const auto app = desktop->createApplication(processId);
        const auto bar = desktop->copyAttributeValue(app, "AXExtrasMenuBar");
        EXPECT_EQ(bar.error, platform::AccessibilityError::success);
        std::vector<platform::AccessibilityElement> elements;
        if (!bar.value)
            return elements;
        const auto children = desktop->copyAttributeValue(*bar.value->asElement(), "AXChildren");
        for (const auto& child : *children.value->asArray())
            elements.push_back(*child.asElement());
        return elements;
    }

    platform::PlatformValue attribute(const platform::AccessibilityElement& element,
                                      std::string_view name) {
        const auto result = desktop->copyAttributeValue(element, name);
        EXPECT_EQ(result.error, platform::AccessibilityError::success) << name;
        return result.value.value_or(platform::PlatformValue::string("<none>"));
    }

    /// A status item of this process, named and registered.
    std::shared_ptr<platform::StatusItem> makeItem(const std::string& name, double length = 24) {
        auto item = desktop->statusItem(length);
        item->setAutosaveName(name);
        return item;
    }

    platform::SyntheticEvent stamped(platform::EventType type, platform::Point at,
                                     std::uint32_t windowNumber, std::uint64_t flags = 0) {
        auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
        auto event = desktop->createMouseEvent(&*source, type, at, platform::MouseButton::left);
        event->setFlags(flags);
        for (int field :
             {platform::EventField::windowID,
              platform::EventField::mouseEventWindowUnderMousePointer,
              platform::EventField::mouseEventWindowUnderMousePointerThatCanHandleThisEvent})
            event->setIntegerValueField(field, windowNumber);
        return *event;
    }

    /// Posts as the mover does: to the session tap, then to the owner.
    void postDual(const platform::SyntheticEvent& event, std::int32_t ownerPid) {
        desktop->post(platform::EventTapLocation::sessionEventTap, event);
        desktop->postToPid(ownerPid, event);
    }

    /// A stamped Command-drag of `item` whose mouse-up lands at `upX` on
    /// `target`'s window, paced as the mover paces it (50 ms after the down,
    /// 80 ms after the up).
    void stampedDrag(const std::string& item, const std::string& target, double upX,
                     std::int32_t ownerPid) {
        postDual(stamped(platform::EventType::leftMouseDown, {20000, 20000}, window(item),
                         platform::EventFlags::maskCommand),
                 ownerPid);
        loop.advance(50ms);
        postDual(stamped(platform::EventType::leftMouseUp, {upX, 12}, window(target)), ownerPid);
        loop.advance(80ms);
    }

    void wakeUpClick(const std::string& item, std::int32_t ownerPid) {
        const auto centre = frameOf(item).midX();
        postDual(stamped(platform::EventType::leftMouseDown, {centre, 12}, window(item)), ownerPid);
        loop.advance(20ms);
        postDual(stamped(platform::EventType::leftMouseUp, {centre, 12}, window(item)), ownerPid);
        loop.advance(30ms);
    }

    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
};

} // namespace corvel::test
