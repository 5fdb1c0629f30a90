// Test introspection and the fault switches of the simulated desktop.
#include "sim/SimulatedDesktop.h"

namespace corvel::sim {

std::vector<BarItem> SimulatedDesktop::itemsLeftToRight() const {
    std::lock_guard lock(mutex_);
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
    std::lock_guard lock(mutex_);
    return world_.menus();
}

std::vector<PostedEvent> SimulatedDesktop::postedEvents() const {
    std::lock_guard lock(mutex_);
    return {world_.postedEvents.begin(), world_.postedEvents.end()};
}

Counters SimulatedDesktop::counters() const {
    std::lock_guard lock(mutex_);
    return world_.counters;
}

std::vector<std::string> SimulatedDesktop::openedURLs() const {
    std::lock_guard lock(mutex_);
    return world_.openedURLs;
}

std::vector<SimProcess> SimulatedDesktop::processes() const {
    std::lock_guard lock(mutex_);
    return world_.processes();
}

std::optional<std::int32_t> SimulatedDesktop::pidOf(const std::string& bundleIdentifier) const {
    std::lock_guard lock(mutex_);
    return world_.runningPidOf(bundleIdentifier);
}

std::optional<std::uint32_t> SimulatedDesktop::windowNumberOf(const std::string& windowName) const {
    std::lock_guard lock(mutex_);
    for (const auto& entry : world_.entries())
        if (world_.isListed(entry) && entry.autosaveName == windowName)
            return entry.windowNumber;
    return std::nullopt;
}

std::optional<double> SimulatedDesktop::rememberedPosition(const std::string& autosaveName) const {
    std::lock_guard lock(mutex_);
    auto found =
        world_.rememberedPositions.find({world_.applicationKey(world_.selfPid()), autosaveName});
    if (found == world_.rememberedPositions.end())
        return std::nullopt;
    return found->second;
}

int SimulatedDesktop::activationCount() const {
    std::lock_guard lock(mutex_);
    return world_.selfActivations;
}

void SimulatedDesktop::setSwitch(bool World::*field, bool value) {
    std::lock_guard lock(mutex_);
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
    std::lock_guard lock(mutex_);
    if (auto pid = world_.runningPidOf(bundleIdentifier))
        world_.process(*pid)->hung = hung;
}

void SimulatedDesktop::setAccessibilityReadCost(async::Duration cost) {
    std::lock_guard lock(mutex_);
    world_.accessibilityReadCost = cost;
}

void SimulatedDesktop::quitApplication(const std::string& bundleIdentifier) {
    World::Released released; // see World::Released
    std::lock_guard lock(mutex_);
    if (auto pid = world_.runningPidOf(bundleIdentifier))
        quitLocked(*pid);
    released = world_.takeReleased();
}

void SimulatedDesktop::launchApplication(const std::string& bundleIdentifier) {
    std::lock_guard lock(mutex_);
    for (const auto& process : world_.processes())
        if (process.isApplication && !process.running &&
            process.bundleIdentifier == bundleIdentifier) {
            relaunchLocked(process.pid);
            return;
        }
}

void SimulatedDesktop::setItemFaults(const std::string& autosaveName, ItemFaults faults) {
    std::lock_guard lock(mutex_);
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
    std::lock_guard lock(mutex_);
    world_.registrationDelay = delay;
}

void SimulatedDesktop::setLatencies(Latencies latencies) {
    std::lock_guard lock(mutex_);
    world_.latencies = latencies;
}

Latencies SimulatedDesktop::latencies() const {
    std::lock_guard lock(mutex_);
    return world_.latencies;
}

void SimulatedDesktop::setWallClock(std::chrono::system_clock::time_point time) {
    std::lock_guard lock(mutex_);
    world_.wallClockBase = time;
    world_.wallClockSetAt = executor_.now();
}

std::chrono::system_clock::time_point SimulatedDesktop::now() const {
    std::lock_guard lock(mutex_);
    return world_.wallClockBase + std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                      executor_.now() - world_.wallClockSetAt);
}

} // namespace corvel::sim
