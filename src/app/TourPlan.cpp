#include "app/TourPlan.h"

#include "engine/SystemItemFilter.h"
#include "platform/HotKeyModifiers.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace corvel::app {

namespace {

constexpr std::size_t mostFiled = 3;
constexpr std::size_t fewestFiled = 2;
// Corvel's own items at the left end of the bar: its icon, two Group icons
// and the hidden region's spacer at rest, each about this wide.
constexpr double ownItemRoom = 30;
constexpr int ownItems = 4;
// The restart that Repair Menu Bar asks for ends this process.
constexpr const char* hostProcess = "ControlCenter";

// Corvel refuses to file an item whose name is one of the system's modules;
// which of its names the platform reports depends on the item.
bool mentionsSystemModule(const sim::Scenario::Extra& extra) {
    for (const std::string* name :
         {&extra.autosaveName, &extra.identifier, &extra.description, &extra.title})
        if (SystemItemFilter::isSystemModule(*name))
            return true;
    return false;
}

bool hasRestartableHost(const sim::Scenario& scenario) {
    return std::any_of(scenario.applications.begin(), scenario.applications.end(),
                       [](const sim::Scenario::Application& application) {
                           const auto& process = application.executable.empty()
                                                     ? application.name
                                                     : application.executable;
                           return application.running && application.statusBarHost &&
                                  process == hostProcess;
                       });
}

double widthTaken(const sim::Scenario& scenario) {
    double taken = scenario.screen.rightInset;
    for (const auto& application : scenario.applications) {
        if (!application.running)
            continue;
        for (const auto& extra : application.extras)
            taken += extra.width;
    }
    for (const auto& leftover : scenario.leftovers)
        taken += leftover.width;
    return taken;
}

// The digit keys' virtual key codes, 1 to 9.
constexpr std::uint32_t digitKeyCodes[] = {18, 19, 20, 21, 23, 22, 26, 28, 25};

// The first digit whose Control-Option combination nothing on the desktop
// holds: the system's and every application's, running or not.
std::optional<char> freeShortcutDigit(const sim::Scenario& scenario) {
    constexpr auto controlOption =
        platform::HotKeyModifiers::controlKey | platform::HotKeyModifiers::optionKey;
    for (std::size_t digit = 0; digit < std::size(digitKeyCodes); ++digit) {
        const bool held = std::any_of(scenario.hotKeys.begin(), scenario.hotKeys.end(),
                                      [&](const sim::Scenario::HotKey& key) {
                                          return key.keyCode == digitKeyCodes[digit] &&
                                                 key.modifiers == controlOption;
                                      });
        if (!held)
            return static_cast<char>('1' + digit);
    }
    return std::nullopt;
}

std::string points(double value) {
    return std::to_string(static_cast<long long>(value));
}

void addLacks(const sim::Scenario& scenario, std::size_t fileable,
              std::vector<std::string>& lacks) {
    const auto& screen = scenario.screen;
    if (screen.width < 1 || screen.height < 1 || screen.menuBarHeight < 1)
        lacks.push_back("a display to draw on: it is " + points(screen.width) + " × " +
                        points(screen.height) + " points with a menu bar " +
                        points(screen.menuBarHeight) + " points high");
    else if (const double taken = widthTaken(scenario);
             taken + ownItems * ownItemRoom > screen.width)
        lacks.push_back("room in the menu bar for Corvel's icons: its items take " + points(taken) +
                        " of " + points(screen.width) + " points");
    if (scenario.accessibility != sim::Scenario::Permission::granted)
        lacks.push_back("the Accessibility permission, which moving and pressing items needs");
    if (scenario.screenRecording == sim::Scenario::Permission::denied)
        lacks.push_back("the Screen Recording permission, without which Corvel does not start");
    if (fileable < fewestFiled)
        lacks.push_back("two applications with one item each that Corvel may file: movable, "
                        "not the system's, opening a menu, without fault switches (it has " +
                        std::to_string(fileable) + ")");
    if (!freeShortcutDigit(scenario))
        lacks.push_back("a Control-Option digit shortcut that neither the system nor an "
                        "application holds, for a Group's shortcut");
    if (!hasRestartableHost(scenario))
        lacks.push_back("a running Control Center (a status bar host whose process is " +
                        std::string(hostProcess) + ") for Repair Menu Bar to restart");
    else if (scenario.launchFails)
        lacks.push_back("a way to restart Control Center: every launch fails on it");
}

} // namespace

bool TourPlan::isFileable(const sim::Scenario::Application& application) {
    if (!application.running || application.statusBarHost || !application.bundleIdentifier ||
        application.bundleIdentifier->starts_with("com.apple.") || application.extras.size() != 1)
        return false;
    const auto& extra = application.extras.front();
    return extra.movable && extra.faults == sim::ItemFaults{} && !extra.menu.empty() &&
           !mentionsSystemModule(extra);
}

TourPlan TourPlan::of(const sim::Scenario& scenario) {
    std::vector<std::string> chosen;
    std::size_t fileable = 0;
    for (const auto& application : scenario.applications) {
        if (!isFileable(application))
            continue;
        ++fileable;
        if (chosen.size() < mostFiled)
            chosen.push_back(*application.bundleIdentifier);
    }
    TourPlan plan;
    addLacks(scenario, fileable, plan.lacks);
    if (!plan.lacks.empty())
        return plan;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        plan.filings.push_back({chosen[i], i + 1 == chosen.size() ? secondGroup : firstGroup});
    plan.shortcutDigit = *freeShortcutDigit(scenario);
    return plan;
}

std::vector<std::string> TourPlan::filedInto(const std::string& group) const {
    std::vector<std::string> filed;
    for (const auto& filing : filings)
        if (filing.group == group)
            filed.push_back(filing.bundleIdentifier);
    return filed;
}

} // namespace corvel::app
