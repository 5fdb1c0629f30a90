#include "sim/ScenarioLoader.h"

#include "platform/HotKeyModifiers.h"

#include <fstream>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>

namespace corvel::sim {

extern const char* const defaultScenarioJson;

namespace {

using nlohmann::json;
using Millis = std::chrono::milliseconds;

void requireKnownKeys(const json& object, const std::string& where,
                      std::initializer_list<const char*> known) {
    if (!object.is_object())
        throw ScenarioError(where + ": expected an object");
    for (const auto& [key, value] : object.items()) {
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || key == name;
        if (!isKnown)
            throw ScenarioError(where + ": unknown key \"" + key + "\"");
    }
}

template <class T> void read(const json& object, const char* key, T& out) {
    if (object.contains(key))
        out = object.at(key).get<T>();
}

/// Reads the array at `key`, if any, naming each element "<prefix><key>[i]"
/// in errors.
template <class Element, class Parse>
void readList(const json& object, const char* key, const std::string& prefix,
              std::vector<Element>& out, Parse parse) {
    if (!object.contains(key))
        return;
    const auto& list = object.at(key);
    for (std::size_t i = 0; i < list.size(); ++i)
        out.push_back(parse(list.at(i), prefix + key + "[" + std::to_string(i) + "]"));
}

void readMillis(const json& object, const char* key, async::Duration& out) {
    if (object.contains(key))
        out = Millis(object.at(key).get<std::int64_t>());
}

void readMillis(const json& object, const char* key, std::optional<async::Duration>& out) {
    if (object.contains(key))
        out = Millis(object.at(key).get<std::int64_t>());
}

template <class Enum>
Enum caseFrom(const json& value, const std::string& where, const char* what,
              std::initializer_list<std::pair<const char*, Enum>> cases) {
    const auto text = value.get<std::string>();
    for (const auto& [name, result] : cases) {
        if (text == name)
            return result;
    }
    throw ScenarioError(where + ": unknown " + what + " \"" + text + "\"");
}

Scenario::Permission permissionFrom(const json& value, const std::string& where) {
    using P = Scenario::Permission;
    return caseFrom<P>(value, where, "permission",
                       {{"granted", P::granted},
                        {"denied", P::denied},
                        {"grantedOnRequest", P::grantedOnRequest}});
}

platform::ActivationPolicy policyFrom(const json& value, const std::string& where) {
    using A = platform::ActivationPolicy;
    return caseFrom<A>(
        value, where, "activation policy",
        {{"regular", A::regular}, {"accessory", A::accessory}, {"prohibited", A::prohibited}});
}

ItemFaults faultsFrom(const json& object, const std::string& where) {
    requireKnownKeys(object, where,
                     {"neverMoves", "needsWakeUp", "vanishAfterDrags", "neverRegisters", "settleMs",
                      "menuNeverOpens", "menuAutoCloseMs"});
    ItemFaults faults;
    read(object, "neverMoves", faults.neverMoves);
    read(object, "needsWakeUp", faults.needsWakeUp);
    if (object.contains("vanishAfterDrags"))
        faults.vanishAfterDrags = object.at("vanishAfterDrags").get<int>();
    read(object, "neverRegisters", faults.neverRegisters);
    readMillis(object, "settleMs", faults.settleTime);
    read(object, "menuNeverOpens", faults.menuNeverOpens);
    readMillis(object, "menuAutoCloseMs", faults.menuAutoClose);
    return faults;
}

Scenario::Extra extraFrom(const json& object, const std::string& where) {
    requireKnownKeys(object, where,
                     {"autosaveName", "title", "accessibilityTitle", "description", "identifier",
                      "width", "movable", "menu", "faults"});
    Scenario::Extra extra;
    read(object, "autosaveName", extra.autosaveName);
    read(object, "title", extra.title);
    read(object, "accessibilityTitle", extra.accessibilityTitle);
    read(object, "description", extra.description);
    read(object, "identifier", extra.identifier);
    read(object, "width", extra.width);
    read(object, "movable", extra.movable);
    read(object, "menu", extra.menu);
    if (object.contains("faults"))
        extra.faults = faultsFrom(object.at("faults"), where + ".faults");
    return extra;
}

Scenario::Application applicationFrom(const json& object, const std::string& where) {
    requireKnownKeys(object, where,
                     {"name", "bundleIdentifier", "executable", "activationPolicy", "pid",
                      "running", "statusBarHost", "relaunchAfterMs", "launchAtMs", "quitAtMs",
                      "hung", "color", "extras"});
    Scenario::Application app;
    read(object, "name", app.name);
    if (object.contains("bundleIdentifier"))
        app.bundleIdentifier = object.at("bundleIdentifier").get<std::string>();
    read(object, "executable", app.executable);
    if (object.contains("activationPolicy"))
        app.activationPolicy = policyFrom(object.at("activationPolicy"), where);
    if (object.contains("pid"))
        app.pid = object.at("pid").get<std::int32_t>();
    read(object, "running", app.running);
    read(object, "statusBarHost", app.statusBarHost);
    readMillis(object, "relaunchAfterMs", app.relaunchAfter);
    readMillis(object, "launchAtMs", app.launchAt);
    readMillis(object, "quitAtMs", app.quitAt);
    read(object, "hung", app.hung);
    read(object, "color", app.color);
    readList(object, "extras", where + ".", app.extras, extraFrom);
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
    requireKnownKeys(object, "screen", {"width", "height", "menuBarHeight", "rightInset"});
    read(object, "width", screen.width);
    read(object, "height", screen.height);
    read(object, "menuBarHeight", screen.menuBarHeight);
    read(object, "rightInset", screen.rightInset);
}

void readStatusItems(const json& object, Scenario& scenario) {
    requireKnownKeys(object, "statusItems",
                     {"registrationDelayMs", "settleMs", "faultsByAutosaveName"});
    readMillis(object, "registrationDelayMs", scenario.registrationDelay);
    readMillis(object, "settleMs", scenario.settleTime);
    if (object.contains("faultsByAutosaveName"))
        for (const auto& [name, faults] : object.at("faultsByAutosaveName").items())
            scenario.faultsByAutosaveName[name] =
                faultsFrom(faults, "statusItems.faultsByAutosaveName." + name);
}

void readLatencies(const json& object, Latencies& latencies) {
    requireKnownKeys(object, "latencies",
                     {"dropMs", "lengthChangeMs", "menuOpenMs", "menuCloseMs"});
    readMillis(object, "dropMs", latencies.drop);
    readMillis(object, "lengthChangeMs", latencies.lengthChange);
    readMillis(object, "menuOpenMs", latencies.menuOpen);
    readMillis(object, "menuCloseMs", latencies.menuClose);
}

void readPermissions(const json& object, Scenario& scenario) {
    requireKnownKeys(object, "permissions", {"accessibility", "screenRecording"});
    if (object.contains("accessibility"))
        scenario.accessibility = permissionFrom(object.at("accessibility"), "permissions");
    if (object.contains("screenRecording"))
        scenario.screenRecording = permissionFrom(object.at("screenRecording"), "permissions");
}

void readLeftovers(const json& list, Scenario& scenario) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto where = "leftovers[" + std::to_string(i) + "]";
        const auto& object = list.at(i);
        requireKnownKeys(object, where, {"name", "width", "ownerPid"});
        Scenario::Leftover leftover;
        read(object, "name", leftover.name);
        read(object, "width", leftover.width);
        read(object, "ownerPid", leftover.ownerPid);
        scenario.leftovers.push_back(leftover);
    }
}

std::uint32_t hotKeyModifierFrom(const json& value, const std::string& where) {
    using M = platform::HotKeyModifiers;
    return caseFrom<std::uint32_t>(value, where, "modifier",
                                   {{"command", M::cmdKey},
                                    {"shift", M::shiftKey},
                                    {"option", M::optionKey},
                                    {"control", M::controlKey}});
}

Scenario::HotKey hotKeyFrom(const json& object, const std::string& where) {
    requireKnownKeys(object, where, {"keyCode", "modifiers", "heldBy"});
    if (!object.contains("keyCode") || !object.contains("heldBy"))
        throw ScenarioError(where + ": a hot key needs \"keyCode\" and \"heldBy\"");
    Scenario::HotKey hotKey;
    // Virtual key codes run from 0 to 127.
    const auto keyCode = object.at("keyCode").get<std::int64_t>();
    if (keyCode < 0 || keyCode > 127)
        throw ScenarioError(where + ": \"keyCode\" " + std::to_string(keyCode) +
                            " is not a virtual key code (0 to 127)");
    hotKey.keyCode = static_cast<std::uint32_t>(keyCode);
    hotKey.heldBy = object.at("heldBy").get<std::string>();
    if (hotKey.heldBy.empty())
        throw ScenarioError(where + ": \"heldBy\" names nobody");
    if (object.contains("modifiers"))
        for (const auto& modifier : object.at("modifiers"))
            hotKey.modifiers |= hotKeyModifierFrom(modifier, where);
    return hotKey;
}

Scenario scenarioFrom(const json& root) {
    requireKnownKeys(root, "scenario",
                     {"screen", "permissions", "self", "statusItems", "latencies",
                      "hostStatusItemsInHost", "restartKeepsLeftovers", "launchFails",
                      "captureFails", "accessibilityReadCostMs", "killallRunMs", "environment",
                      "rememberedPositions", "missingSymbols", "applications", "leftovers",
                      "hotKeys", "extraWindows"});
    Scenario scenario;
    if (root.contains("screen"))
        readScreen(root.at("screen"), scenario.screen);
    if (root.contains("permissions"))
        readPermissions(root.at("permissions"), scenario);
    if (root.contains("self"))
        scenario.self = applicationFrom(root.at("self"), "self");
    if (root.contains("statusItems"))
        readStatusItems(root.at("statusItems"), scenario);
    if (root.contains("latencies"))
        readLatencies(root.at("latencies"), scenario.latencies);
    read(root, "hostStatusItemsInHost", scenario.hostStatusItemsInHost);
    read(root, "restartKeepsLeftovers", scenario.restartKeepsLeftovers);
    read(root, "launchFails", scenario.launchFails);
    read(root, "captureFails", scenario.captureFails);
    readMillis(root, "accessibilityReadCostMs", scenario.accessibilityReadCost);
    readMillis(root, "killallRunMs", scenario.killallRunTime);
    read(root, "environment", scenario.environment);
    read(root, "rememberedPositions", scenario.rememberedPositions);
    read(root, "missingSymbols", scenario.missingSymbols);
    readList(root, "applications", "", scenario.applications, applicationFrom);
    if (root.contains("leftovers"))
        readLeftovers(root.at("leftovers"), scenario);
    readList(root, "hotKeys", "", scenario.hotKeys, hotKeyFrom);
    if (root.contains("extraWindows"))
        for (const auto& window : root.at("extraWindows"))
            scenario.extraWindows.push_back(platformValueFrom(window));
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
    try {
        return scenarioFrom(root);
    } catch (const json::exception& error) {
        throw ScenarioError(std::string("scenario has a value of the wrong type: ") + error.what());
    }
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
