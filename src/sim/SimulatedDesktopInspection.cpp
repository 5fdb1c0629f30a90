// Test introspection and the fault switches of the simulated desktop.
#include "sim/SimulatedDesktop.h"

namespace corvel::sim {

std::vector<BarItem> SimulatedDesktop::itemsLeftToRight() const {
    const auto lock = hold();
    std::vector<BarItem> items;
    const auto frames = world_.layoutFrames();
    for (std::size_t i = 0; i < world_.entries().size(); ++i) {
        const StatusEntry& entry = world_.entries()[i];
        if (!world_.isListed(entry))
            continue;
        BarItem item;
        item.windowNumber = entry.windowNumber;
        item.ownerPid = world_.windowOwner(entry);
        item.creatorPid = entry.creatorPid;
        item.name = entry.autosaveName;
        item.frame = world_.reportedFrame(entry, frames[i], executor_.now());
        item.length = entry.length;
        item.title = entry.title;
        item.accessibilityTitle = entry.accessibilityTitle;
        item.identifier = entry.identifier;
        item.description = entry.description;
        item.image = entry.image;
        item.imagePosition = entry.imagePosition;
        item.isLeftover = entry.isLeftover;
        item.movable = entry.movable;
        if (const SimProcess* creator = world_.process(entry.creatorPid))
            item.color = creator->color;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<OpenMenu> SimulatedDesktop::openMenus() const {
    const auto lock = hold();
    return world_.menus();
}

std::vector<PostedEvent> SimulatedDesktop::postedEvents() const {
    const auto lock = hold();
    return {world_.postedEvents.begin(), world_.postedEvents.end()};
}

Counters SimulatedDesktop::counters() const {
    const auto lock = hold();
    return world_.counters;
}

std::vector<std::string> SimulatedDesktop::openedURLs() const {
    const auto lock = hold();
    return world_.openedURLs;
}

std::vector<SimProcess> SimulatedDesktop::processes() const {
    const auto lock = hold();
    return world_.processes();
}

std::optional<std::string>
SimulatedDesktop::nameOfFirstProcess(const std::function<bool(const SimProcess&)>& matches) const {
    const auto lock = hold();
    for (const auto& process : world_.processes())
        if (matches(process))
            return process.name;
    return std::nullopt;
}

std::optional<std::int32_t> SimulatedDesktop::pidOf(const std::string& bundleIdentifier) const {
    const auto lock = hold();
    return world_.runningPidOf(bundleIdentifier);
}

std::optional<std::uint32_t> SimulatedDesktop::windowNumberOf(const std::string& windowName) const {
    const auto lock = hold();
    for (const auto& entry : world_.entries())
        if (world_.isListed(entry) && entry.autosaveName == windowName)
            return entry.windowNumber;
    return std::nullopt;
}

std::optional<double> SimulatedDesktop::rememberedPosition(const std::string& autosaveName) const {
    const auto lock = hold();
    auto found =
        world_.rememberedPositions.find({world_.applicationKey(world_.selfPid()), autosaveName});
    if (found == world_.rememberedPositions.end())
        return std::nullopt;
    return found->second;
}

int SimulatedDesktop::activationCount() const {
    const auto lock = hold();
    return world_.selfActivations;
}

void SimulatedDesktop::setSwitch(bool World::*field, bool value) {
    const auto lock = hold();
    world_.*field = value;
}

void SimulatedDesktop::setAccessibilityTrusted(bool trusted) {
    setSwitch(&World::accessibilityTrusted, trusted);
}

void SimulatedDesktop::setAccessibilityGrantedOnPrompt(bool granted) {
    setSwitch(&World::accessibilityGrantedOnPrompt, granted);
}

void SimulatedDesktop::setScreenRecordingGranted(bool granted) {
    setSwitch(&World::screenRecordingGranted, granted);
}

void SimulatedDesktop::setScreenRecordingGrantedOnRequest(bool granted) {
    setSwitch(&World::screenRecordingGrantedOnRequest, granted);
}

void SimulatedDesktop::setHostStatusItemsInHost(bool hosted) {
    setSwitch(&World::hostStatusItemsInHost, hosted);
}

void SimulatedDesktop::setRestartKeepsLeftovers(bool keeps) {
    setSwitch(&World::restartKeepsLeftovers, keeps);
}

void SimulatedDesktop::setLaunchFails(bool fails) {
    setSwitch(&World::launchFails, fails);
}

void SimulatedDesktop::setCaptureFails(bool fails) {
    setSwitch(&World::captureFails, fails);
}

void SimulatedDesktop::setApplicationHung(const std::string& bundleIdentifier, bool hung) {
    const auto lock = hold();
    if (auto pid = world_.runningPidOf(bundleIdentifier))
        world_.process(*pid)->hung = hung;
}

void SimulatedDesktop::setAccessibilityReadCost(async::Duration cost) {
    const auto lock = hold();
    world_.accessibilityReadCost = cost;
}

void SimulatedDesktop::quitApplication(const std::string& bundleIdentifier) {
    World::Released released; // see World::Released
    const auto lock = hold();
    if (auto pid = world_.runningPidOf(bundleIdentifier))
        quitLocked(*pid);
    released = world_.takeReleased();
}

void SimulatedDesktop::launchApplication(const std::string& bundleIdentifier) {
    const auto lock = hold();
    for (const auto& process : world_.processes())
        if (process.isApplication && !process.running &&
            process.bundleIdentifier == bundleIdentifier) {
            relaunchLocked(process.pid);
            return;
        }
}

void SimulatedDesktop::setItemFaults(const std::string& autosaveName, ItemFaults faults) {
    const auto lock = hold();
    world_.faultsByAutosaveName[autosaveName] = faults;
    for (const auto& entry : world_.entries()) {
        if (entry.autosaveName != autosaveName)
            continue;
        StatusEntry* changed = world_.entryByItem(entry.itemId);
        changed->faults = faults;
        if (faults.neverRegisters)
            changed->registered = false;
    }
}

void SimulatedDesktop::setRegistrationDelay(async::Duration delay) {
    const auto lock = hold();
    world_.registrationDelay = delay;
}

void SimulatedDesktop::setLatencies(Latencies latencies) {
    const auto lock = hold();
    world_.latencies = latencies;
}

Latencies SimulatedDesktop::latencies() const {
    const auto lock = hold();
    return world_.latencies;
}

void SimulatedDesktop::setWallClock(std::chrono::system_clock::time_point time) {
    const auto lock = hold();
    world_.wallClockBase = time;
    world_.wallClockSetAt = executor_.now();
}

std::chrono::system_clock::time_point SimulatedDesktop::now() const {
    const auto lock = hold();
    return world_.wallClockBase + std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                      executor_.now() - world_.wallClockSetAt);
}

} // namespace corvel::sim
