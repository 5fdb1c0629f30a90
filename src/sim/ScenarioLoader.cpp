#include "sim/ScenarioLoader.h"

#include "platform/HotKeyModifiers.h"
#include "sim/ScenarioFields.h"

#include <fstream>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>

namespace corvel::sim {

extern const char* const defaultScenarioJson;

namespace {

using nlohmann::json;

// Ranges that no real display, item or process leaves; outside them the
// desktop's arithmetic would overflow or its pictures exhaust memory.
constexpr double maxScreenSide = 16384;
// A hidden region's spacer is 10000 points wide; nothing on a bar is wider.
constexpr double maxItemWidth = 100000;
constexpr double maxRememberedDistance = 1000000;
constexpr std::int64_t maxPid = 2147483647;
constexpr std::int64_t maxDrags = 1000000;

template <class Enum>
Enum caseNamed(const std::string& text, const std::string& path, const char* what,
               std::initializer_list<std::pair<const char*, Enum>> cases) {
    for (const auto& [name, result] : cases) {
        if (text == name)
            return result;
    }
    ScenarioFields::refuse(path, "unknown " + std::string(what) + " \"" + text + "\"");
}

template <class Enum>
Enum caseFrom(const ScenarioFields& fields, const char* key, const char* what,
              std::initializer_list<std::pair<const char*, Enum>> cases) {
    std::string text;
    fields.read(key, text);
    return caseNamed(text, fields.path(key), what, cases);
}

Scenario::Permission permissionFrom(const ScenarioFields& fields, const char* key) {
    using P = Scenario::Permission;
    return caseFrom<P>(fields, key, "permission",
                       {{"granted", P::granted},
                        {"denied", P::denied},
                        {"grantedOnRequest", P::grantedOnRequest}});
}

platform::ActivationPolicy policyFrom(const ScenarioFields& fields) {
    using A = platform::ActivationPolicy;
    return caseFrom<A>(
        fields, "activationPolicy", "activation policy",
        {{"regular", A::regular}, {"accessory", A::accessory}, {"prohibited", A::prohibited}});
}

ItemFaults faultsFrom(const json& object, const std::string& where) {
    const ScenarioFields fields(object, where,
                                {"neverMoves", "needsWakeUp", "vanishAfterDrags", "neverRegisters",
                                 "settleMs", "menuNeverOpens", "menuAutoCloseMs"});
    ItemFaults faults;
    fields.read("neverMoves", faults.neverMoves);
    fields.read("needsWakeUp", faults.needsWakeUp);
    if (fields.has("vanishAfterDrags")) {
        std::int64_t drags = 0;
        fields.read("vanishAfterDrags", drags, 1, maxDrags);
        faults.vanishAfterDrags = static_cast<int>(drags);
    }
    fields.read("neverRegisters", faults.neverRegisters);
    fields.millis("settleMs", faults.settleTime);
    fields.read("menuNeverOpens", faults.menuNeverOpens);
    fields.millis("menuAutoCloseMs", faults.menuAutoClose);
    return faults;
}

Scenario::Extra extraFrom(const json& object, const std::string& where) {
    const ScenarioFields fields(object, where,
                                {"autosaveName", "title", "accessibilityTitle", "description",
                                 "identifier", "width", "movable", "menu", "faults"});
    Scenario::Extra extra;
    fields.read("autosaveName", extra.autosaveName);
    fields.read("title", extra.title);
    fields.read("accessibilityTitle", extra.accessibilityTitle);
    fields.read("description", extra.description);
    fields.read("identifier", extra.identifier);
    fields.read("width", extra.width, 0, maxItemWidth);
    fields.read("movable", extra.movable);
    fields.read("menu", extra.menu);
    if (fields.has("faults"))
        extra.faults = faultsFrom(fields.object("faults"), fields.path("faults"));
    return extra;
}

bool isColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#')
        return false;
    return text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
}

Scenario::Application applicationFrom(const json& object, const std::string& where) {
    const ScenarioFields fields(object, where,
                                {"name", "bundleIdentifier", "executable", "activationPolicy",
                                 "pid", "running", "statusBarHost", "relaunchAfterMs",
                                 "launchAtMs", "quitAtMs", "hung", "color", "extras"});
    Scenario::Application app;
    fields.read("name", app.name);
    fields.read("bundleIdentifier", app.bundleIdentifier);
    fields.read("executable", app.executable);
    if (fields.has("activationPolicy"))
        app.activationPolicy = policyFrom(fields);
    if (fields.has("pid")) {
        std::int64_t pid = 0;
        fields.read("pid", pid, 1, maxPid);
        app.pid = static_cast<std::int32_t>(pid);
    }
    fields.read("running", app.running);
    fields.read("statusBarHost", app.statusBarHost);
    fields.millis("relaunchAfterMs", app.relaunchAfter);
    fields.millis("launchAtMs", app.launchAt);
    fields.millis("quitAtMs", app.quitAt);
    fields.read("hung", app.hung);
    fields.read("color", app.color);
    if (!app.color.empty() && !isColour(app.color))
        ScenarioFields::refuse(fields.path("color"),
                               "\"" + app.color + "\" is not a colour of the form #RRGGBB");
    for (const auto& [extra, path] : fields.list("extras"))
        app.extras.push_back(extraFrom(*extra, path));
    return app;
}

platform::PlatformValue platformValueFrom(const json& value) {
    using platform::PlatformValue;
    if (value.is_boolean())
        return PlatformValue::boolean(value.get<bool>());
    if (value.is_number_integer())
        return PlatformValue::integer(value.get<std::int64_t>());
    if (value.is_number())
        return PlatformValue::real(value.get<double>());
    if (value.is_string())
        return PlatformValue::string(value.get<std::string>());
    if (value.is_array()) {
        PlatformValue::Array values;
        for (const auto& element : value)
            values.push_back(platformValueFrom(element));
        return PlatformValue::array(std::move(values));
    }
    PlatformValue::Dictionary entries;
    for (const auto& [key, element] : value.items())
        entries.emplace(key, platformValueFrom(element));
    return PlatformValue::dictionary(std::move(entries));
}

void readScreen(const json& object, Scenario::Screen& screen) {
    const ScenarioFields fields(object, "screen",
                                {"width", "height", "menuBarHeight", "rightInset"});
    fields.read("width", screen.width, 1, maxScreenSide);
    fields.read("height", screen.height, 1, maxScreenSide);
    fields.read("menuBarHeight", screen.menuBarHeight, 1, screen.height);
    fields.read("rightInset", screen.rightInset, 0, screen.width);
}

void readStatusItems(const json& object, Scenario& scenario) {
    const ScenarioFields fields(object, "statusItems",
                                {"registrationDelayMs", "settleMs", "faultsByAutosaveName"});
    fields.millis("registrationDelayMs", scenario.registrationDelay);
    fields.millis("settleMs", scenario.settleTime);
    if (fields.has("faultsByAutosaveName"))
        for (const auto& [name, faults] : fields.object("faultsByAutosaveName").items())
            scenario.faultsByAutosaveName[name] =
                faultsFrom(faults, fields.path("faultsByAutosaveName") + "." + name);
}

void readLatencies(const json& object, Latencies& latencies) {
    const ScenarioFields fields(object, "latencies",
                                {"dropMs", "lengthChangeMs", "menuOpenMs", "menuCloseMs"});
    fields.millis("dropMs", latencies.drop);
    fields.millis("lengthChangeMs", latencies.lengthChange);
    fields.millis("menuOpenMs", latencies.menuOpen);
    fields.millis("menuCloseMs", latencies.menuClose);
}

void readPermissions(const json& object, Scenario& scenario) {
    const ScenarioFields fields(object, "permissions", {"accessibility", "screenRecording"});
    if (fields.has("accessibility"))
        scenario.accessibility = permissionFrom(fields, "accessibility");
    if (fields.has("screenRecording"))
        scenario.screenRecording = permissionFrom(fields, "screenRecording");
}

Scenario::Leftover leftoverFrom(const json& object, const std::string& where) {
    const ScenarioFields fields(object, where, {"name", "width", "ownerPid"});
    Scenario::Leftover leftover;
    fields.read("name", leftover.name);
    fields.read("width", leftover.width, 0, maxItemWidth);
    std::int64_t owner = 0;
    fields.read("ownerPid", owner, 0, maxPid);
    leftover.ownerPid = static_cast<std::int32_t>(owner);
    return leftover;
}

// A pid names one process: two applications cannot share one, and a
// leftover's owner is a process that no longer runs.
void checkPids(const Scenario& scenario) {
    std::map<std::int32_t, std::size_t> owners;
    for (std::size_t i = 0; i < scenario.applications.size(); ++i) {
        const auto& pid = scenario.applications[i].pid;
        if (!pid)
            continue;
        const auto [first, added] = owners.emplace(*pid, i);
        if (!added)
            ScenarioFields::refuse("applications[" + std::to_string(i) + "].pid",
                                   std::to_string(*pid) + " is already the pid of applications[" +
                                       std::to_string(first->second) + "]");
    }
    for (std::size_t i = 0; i < scenario.leftovers.size(); ++i) {
        const auto owner = scenario.leftovers[i].ownerPid;
        if (auto found = owners.find(owner); owner != 0 && found != owners.end())
            ScenarioFields::refuse("leftovers[" + std::to_string(i) + "].ownerPid",
                                   std::to_string(owner) + " is the pid of applications[" +
                                       std::to_string(found->second) +
                                       "], but a leftover's owner no longer runs");
    }
}

std::uint32_t hotKeyModifierFrom(const std::string& name, const std::string& path) {
    using M = platform::HotKeyModifiers;
    return caseNamed<std::uint32_t>(name, path, "modifier",
                                    {{"command", M::cmdKey},
                                     {"shift", M::shiftKey},
                                     {"option", M::optionKey},
                                     {"control", M::controlKey}});
}

Scenario::HotKey hotKeyFrom(const json& object, const std::string& where) {
    const ScenarioFields fields(object, where, {"keyCode", "modifiers", "heldBy"});
    if (!fields.has("keyCode") || !fields.has("heldBy"))
        ScenarioFields::refuse(where, "a hot key needs \"keyCode\" and \"heldBy\"");
    Scenario::HotKey hotKey;
    // Virtual key codes run from 0 to 127.
    std::int64_t keyCode = 0;
    fields.read("keyCode", keyCode, 0, 127);
    hotKey.keyCode = static_cast<std::uint32_t>(keyCode);
    fields.read("heldBy", hotKey.heldBy);
    if (hotKey.heldBy.empty())
        ScenarioFields::refuse(fields.path("heldBy"), "names nobody");
    std::vector<std::string> modifiers;
    fields.read("modifiers", modifiers);
    for (const auto& modifier : modifiers)
        hotKey.modifiers |= hotKeyModifierFrom(modifier, fields.path("modifiers"));
    return hotKey;
}

Scenario scenarioFrom(const json& root) {
    const ScenarioFields fields(
        root, "",
        {"screen", "permissions", "self", "statusItems", "latencies", "hostStatusItemsInHost",
         "restartKeepsLeftovers", "launchFails", "captureFails", "accessibilityReadCostMs",
         "killallRunMs", "environment",
         "rememberedPositions", "missingSymbols", "applications", "leftovers", "hotKeys",
         "extraWindows"});
    Scenario scenario;
    if (fields.has("screen"))
        readScreen(fields.object("screen"), scenario.screen);
    if (fields.has("permissions"))
        readPermissions(fields.object("permissions"), scenario);
    if (fields.has("self"))
        scenario.self = applicationFrom(fields.object("self"), "self");
    if (fields.has("statusItems"))
        readStatusItems(fields.object("statusItems"), scenario);
    if (fields.has("latencies"))
        readLatencies(fields.object("latencies"), scenario.latencies);
    fields.read("hostStatusItemsInHost", scenario.hostStatusItemsInHost);
    fields.read("restartKeepsLeftovers", scenario.restartKeepsLeftovers);
    fields.read("launchFails", scenario.launchFails);
    fields.read("captureFails", scenario.captureFails);
    fields.millis("accessibilityReadCostMs", scenario.accessibilityReadCost);
    fields.millis("killallRunMs", scenario.killallRunTime);
    fields.read("environment", scenario.environment);
    fields.read("rememberedPositions", scenario.rememberedPositions, 0, maxRememberedDistance);
    fields.read("missingSymbols", scenario.missingSymbols);
    for (const auto& [app, path] : fields.list("applications"))
        scenario.applications.push_back(applicationFrom(*app, path));
    for (const auto& [leftover, path] : fields.list("leftovers"))
        scenario.leftovers.push_back(leftoverFrom(*leftover, path));
    for (const auto& [hotKey, path] : fields.list("hotKeys"))
        scenario.hotKeys.push_back(hotKeyFrom(*hotKey, path));
    for (const auto& [window, path] : fields.list("extraWindows"))
        scenario.extraWindows.push_back(platformValueFrom(*window));
    checkPids(scenario);
    return scenario;
}

} // namespace

Scenario ScenarioLoader::fromJson(const std::string& text) {
    json root;
    try {
        root = json::parse(text);
    } catch (const json::exception& error) {
        throw ScenarioError(std::string("scenario is not valid JSON: ") + error.what());
    }
    return scenarioFrom(root);
}

Scenario ScenarioLoader::fromFile(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw ScenarioError("cannot open scenario file " + path);
    std::stringstream text;
    text << file.rdbuf();
    return fromJson(text.str());
}

Scenario ScenarioLoader::defaultScenario() {
    return fromJson(defaultScenarioJson);
}

const char* ScenarioLoader::defaultJson() {
    return defaultScenarioJson;
}

Scenario ScenarioLoader::unhostedScenario() {
    Scenario scenario = defaultScenario();
    scenario.hostStatusItemsInHost = false;
    return scenario;
}

std::vector<std::string> ScenarioLoader::builtInNames() {
    return {defaultName, unhostedName};
}

Scenario ScenarioLoader::builtIn(const std::string& name) {
    if (name == defaultName)
        return defaultScenario();
    if (name == unhostedName)
        return unhostedScenario();
    throw ScenarioError("no built-in scenario named \"" + name + "\"");
}

} // namespace corvel::sim
