#include "sim/World.h"

#include "platform/StatusItem.h"
#include "sim/StatusBarLayout.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace corvel::sim {

namespace {

std::array<std::uint8_t, 3> colorFrom(const std::string& hex, const std::string& seed) {
    if (hex.size() == 7 && hex[0] == '#') {
        auto channel = [&](int i) {
            return static_cast<std::uint8_t>(std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16));
        };
        return {channel(0), channel(1), channel(2)};
    }
    // A stable colour per application, so pictures tell applications apart.
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : seed)
        hash = (hash ^ c) * 16777619u;
    return {static_cast<std::uint8_t>(64 + hash % 160),
            static_cast<std::uint8_t>(64 + (hash >> 8) % 160),
            static_cast<std::uint8_t>(64 + (hash >> 16) % 160)};
}

SimProcess processFrom(const Scenario::Application& app) {
    SimProcess process;
    process.name = app.name;
    process.bundleIdentifier = app.bundleIdentifier;
    process.executable = app.executable.empty() ? app.name : app.executable;
    process.activationPolicy = app.activationPolicy;
    process.running = app.running;
    process.statusBarHost = app.statusBarHost;
    process.relaunchAfter = app.relaunchAfter;
    process.hung = app.hung;
    process.color = colorFrom(app.color, app.bundleIdentifier.value_or(app.name));
    return process;
}

} // namespace

World::World(Scenario scenario, async::TimePoint now, std::int32_t selfPid)
    : scenario_(std::move(scenario)), selfPid_(selfPid) {
    accessibilityTrusted = scenario_.accessibility == Scenario::Permission::granted;
    accessibilityGrantedOnPrompt =
        scenario_.accessibility == Scenario::Permission::grantedOnRequest;
    screenRecordingGranted = scenario_.screenRecording == Scenario::Permission::granted;
    screenRecordingGrantedOnRequest =
        scenario_.screenRecording == Scenario::Permission::grantedOnRequest;
    hostStatusItemsInHost = scenario_.hostStatusItemsInHost;
    restartKeepsLeftovers = scenario_.restartKeepsLeftovers;
    launchFails = scenario_.launchFails;
    registrationDelay = scenario_.registrationDelay;
    captureFails = scenario_.captureFails;
    accessibilityReadCost = scenario_.accessibilityReadCost;
    latencies = scenario_.latencies;
    wallClockBase = scenario_.wallClockStart;
    wallClockSetAt = now;
    faultsByAutosaveName = scenario_.faultsByAutosaveName;
    environment = scenario_.environment;
    takenPids_.insert(selfPid_);
    for (const auto& app : scenario_.applications)
        if (app.pid)
            takenPids_.insert(*app.pid);
    for (const auto& leftover : scenario_.leftovers)
        takenPids_.insert(leftover.ownerPid);
    hotKeys = HotKeyTable(scenario_.hotKeys);
    addProcesses();
    for (const auto& [name, distance] : scenario_.rememberedPositions)
        rememberedPositions[{applicationKey(selfPid_), name}] = distance;
    addStartupItems(now);
}

bool World::runs(const std::string& application) const {
    return std::any_of(processes_.begin(), processes_.end(), [&](const SimProcess& process) {
        return process.running && process.isApplication && process.pid != selfPid_ &&
               (process.bundleIdentifier == application || process.name == application);
    });
}

platform::Rect World::screenFrame() const {
    return {{0, 0}, {screen().width, screen().height}};
}

void World::addProcesses() {
    SimProcess self = processFrom(scenario_.self);
    self.pid = selfPid_;
    self.running = true;
    processes_.push_back(self);
    for (std::size_t i = 0; i < scenario_.applications.size(); ++i) {
        SimProcess process = processFrom(scenario_.applications[i]);
        process.scenarioIndex = i;
        process.pid = scenario_.applications[i].pid.value_or(0);
        processes_.push_back(process);
    }
    for (std::size_t i = 0; i < processes_.size(); ++i) {
        if (processes_[i].pid == 0)
            processes_[i].pid = allocatePid();
        indexProcess(i);
    }
}

// Pids of this process, of the scenario's applications and leftovers, and of
// every process started so far are taken.
std::int32_t World::allocatePid() {
    while (takenPids_.contains(nextPid_))
        ++nextPid_;
    takenPids_.insert(nextPid_);
    return nextPid_++;
}

void World::indexProcess(std::size_t index) {
    const SimProcess& process = processes_[index];
    takenPids_.insert(process.pid);
    // The first process of a pid answers for it, this process before any.
    processByPid_.emplace(process.pid, index);
    if (process.statusBarHost &&
        std::find(hostProcesses_.begin(), hostProcesses_.end(), index) == hostProcesses_.end())
        hostProcesses_.push_back(index);
}

void World::addStartupItems(async::TimePoint now) {
    bool leftoversPlaced = false;
    for (const auto& process : processes_) {
        if (!process.scenarioIndex || !process.running)
            continue;
        addExtras(process, now);
        if (process.statusBarHost && !leftoversPlaced) {
            addLeftovers(now);
            leftoversPlaced = true;
        }
    }
    if (!leftoversPlaced)
        addLeftovers(now);
}

void World::addExtras(const SimProcess& process, async::TimePoint now) {
    const std::int32_t pid = process.pid;
    for (const auto& extra : scenario_.applications[*process.scenarioIndex].extras) {
        StatusEntry& entry = addEntry(pid, extra.width);
        const std::uint64_t itemId = entry.itemId;
        entry.title = extra.title;
        entry.accessibilityTitle = extra.accessibilityTitle;
        entry.description = extra.description;
        entry.identifier = extra.identifier;
        entry.movable = extra.movable;
        entry.extraMenu = extra.menu;
        entry.faults = extra.faults;
        if (!extra.autosaveName.empty())
            setAutosaveName(itemId, extra.autosaveName);
        else
            moveToRememberedPosition(itemId); // the platform's own name counts too
        if (!entryByItem(itemId)->faults.neverRegisters)
            registerEntry(itemId, now);
    }
}

void World::addLeftovers(async::TimePoint now) {
    for (const auto& leftover : scenario_.leftovers) {
        const std::int32_t owner = leftover.ownerPid != 0 ? leftover.ownerPid : allocatePid();
        StatusEntry& entry = addEntry(owner, leftover.width);
        entry.isLeftover = true;
        entry.autosaveName = leftover.name;
        registerEntry(entry.itemId, now);
    }
}

SimProcess* World::process(std::int32_t pid) {
    auto found = processByPid_.find(pid);
    return found == processByPid_.end() ? nullptr : &processes_[found->second];
}

const SimProcess* World::process(std::int32_t pid) const {
    return const_cast<World*>(this)->process(pid);
}

std::optional<std::int32_t> World::runningHostPid() const {
    for (std::size_t index : hostProcesses_)
        if (processes_[index].running)
            return processes_[index].pid;
    return std::nullopt;
}

std::optional<std::int32_t> World::runningPidOf(const std::string& bundleIdentifier) const {
    for (const auto& process : processes_)
        if (process.running && process.isApplication &&
            process.bundleIdentifier == bundleIdentifier)
            return process.pid;
    return std::nullopt;
}

SimProcess& World::addHelperProcess(std::string executable) {
    SimProcess helper;
    helper.pid = allocatePid();
    helper.name = executable.substr(executable.find_last_of('/') + 1);
    helper.executable = helper.name;
    helper.isApplication = false;
    processes_.push_back(helper);
    indexProcess(processes_.size() - 1);
    return processes_.back();
}

void World::terminate(std::int32_t pid) {
    SimProcess* target = process(pid);
    if (!target || !target->running)
        return;
    target->running = false;
    const bool wasHost = target->statusBarHost;
    std::vector<std::uint64_t> gone;
    for (const auto& entry : entries_)
        if (!entry.isLeftover && entry.creatorPid == pid)
            gone.push_back(entry.itemId);
    for (auto itemId : gone)
        removeEntry(itemId);
    closeMenusOwnedBy(pid);
    if (wasHost && !restartKeepsLeftovers)
        std::erase_if(entries_, [](const StatusEntry& entry) { return entry.isLeftover; });
}

std::optional<std::int32_t> World::relaunch(std::int32_t oldPid, async::TimePoint now) {
    SimProcess* target = process(oldPid);
    if (!target || target->running)
        return std::nullopt;
    const std::int32_t newPid = allocatePid();
    const std::size_t index = processByPid_.at(oldPid);
    processByPid_.erase(oldPid);
    target->pid = newPid;
    indexProcess(index);
    target->running = true;
    target->hung = false;
    // A new process: the platform's own item names count from the start
    // again, so unnamed extras find their remembered places.
    target->statusItemsMade = 0;
    ++counters.restarts;
    if (target->statusBarHost && hostStatusItemsInHost)
        renumberHostedWindows(newPid);
    if (target->scenarioIndex)
        addExtras(*target, now);
    return newPid;
}

void World::renumberHostedWindows(std::int32_t hostPid) {
    for (auto& entry : entries_) {
        if (entry.isLeftover || entry.creatorPid == hostPid)
            continue;
        if (draggedWindow == entry.windowNumber)
            draggedWindow.reset();
        entry.windowNumber = allocateWindowNumber();
        for (auto& menu : menus_)
            if (menu.itemId == entry.itemId)
                menu.itemWindowNumber = entry.windowNumber;
    }
}

StatusEntry* World::entryByItem(std::uint64_t itemId) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const StatusEntry& e) { return e.itemId == itemId; });
    return found == entries_.end() ? nullptr : &*found;
}

const StatusEntry* World::entryByItem(std::uint64_t itemId) const {
    return const_cast<World*>(this)->entryByItem(itemId);
}

const StatusEntry* World::listedEntryByWindow(std::uint32_t windowNumber) const {
    for (const auto& entry : entries_)
        if (entry.windowNumber == windowNumber && isListed(entry))
            return &entry;
    return nullptr;
}

StatusEntry& World::addEntry(std::int32_t creatorPid, double length) {
    StatusEntry entry;
    entry.itemId = nextItemId_++;
    entry.windowNumber = allocateWindowNumber();
    entry.creatorPid = creatorPid;
    entry.length = length;
    if (SimProcess* creator = process(creatorPid))
        entry.autosaveName = "Item-" + std::to_string(creator->statusItemsMade++);
    entries_.push_front(std::move(entry));
    return entries_.front();
}

void World::registerEntry(std::uint64_t itemId, async::TimePoint now) {
    StatusEntry* entry = entryByItem(itemId);
    if (!entry || entry->registered || entry->faults.neverRegisters)
        return;
    entry->registered = true;
    entry->registeredAt = now;
}

void World::removeEntry(std::uint64_t itemId) {
    StatusEntry* entry = entryByItem(itemId);
    if (!entry)
        return;
    if (entry->registered && !entry->isLeftover)
        rememberPosition(*entry);
    std::erase_if(menus_, [&](const OpenMenu& menu) { return menu.itemId == itemId; });
    if (draggedWindow == entry->windowNumber)
        draggedWindow.reset();
    released_.actions.push_back(std::move(entry->action));
    released_.menus.push_back(std::move(entry->menu));
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(indexOf(itemId)));
}

void World::requestLength(std::uint64_t itemId, double length) {
    StatusEntry* entry = entryByItem(itemId);
    if (!entry)
        return;
    const std::uint64_t request = ++entry->lengthRequests;
    defer(latencies.lengthChange, [itemId, length, request](World& world) {
        StatusEntry* target = world.entryByItem(itemId);
        // A later request that landed first (its latency was shorter) wins.
        if (!target || request <= target->lengthRequestApplied)
            return;
        target->length = length;
        target->lengthRequestApplied = request;
    });
}

void World::setAutosaveName(std::uint64_t itemId, std::string name) {
    StatusEntry* entry = entryByItem(itemId);
    if (!entry)
        return;
    entry->autosaveName = std::move(name);
    if (auto faults = faultsByAutosaveName.find(entry->autosaveName);
        faults != faultsByAutosaveName.end()) {
        entry->faults = faults->second;
        if (entry->faults.neverRegisters)
            entry->registered = false;
    }
    moveToRememberedPosition(itemId);
}

void World::moveToRememberedPosition(std::uint64_t itemId) {
    const StatusEntry* entry = entryByItem(itemId);
    if (!entry)
        return;
    if (auto remembered =
            rememberedPositions.find({applicationKey(entry->creatorPid), entry->autosaveName});
        remembered != rememberedPositions.end())
        placeAtRememberedPosition(indexOf(itemId), remembered->second);
}

void World::placeAtRememberedPosition(std::size_t index, double distance) {
    StatusEntry entry = std::move(entries_[index]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    const auto frames = layoutFrames();
    const double wantedRightEdge = screen().width - distance;
    // Inserting before entry k puts the item's right edge at k's left edge;
    // take the slot nearest to the remembered edge, preferring the right.
    auto gapAt = [&](std::size_t k) {
        const double edge =
            k == entries_.size() ? screen().width - screen().rightInset : frames[k].minX();
        return std::abs(edge - wantedRightEdge);
    };
    std::size_t best = pinnedLimit();
    double bestGap = gapAt(best);
    for (std::size_t k = best; k-- > 0;) {
        if (gapAt(k) < bestGap) {
            best = k;
            bestGap = gapAt(k);
        }
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(best), std::move(entry));
}

void World::moveEntry(std::uint64_t itemId, std::uint64_t targetItemId, bool leftOfTarget) {
    if (itemId == targetItemId || !entryByItem(itemId) || !entryByItem(targetItemId))
        return;
    StatusEntry entry = std::move(entries_[indexOf(itemId)]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(indexOf(itemId)));
    const std::size_t target = indexOf(targetItemId);
    const std::size_t slot = std::min(leftOfTarget ? target : target + 1, pinnedLimit());
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(slot), std::move(entry));
    rememberPosition(entries_[slot]);
}

std::size_t World::indexOf(std::uint64_t itemId) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].itemId == itemId)
            return i;
    return entries_.size();
}

std::size_t World::pinnedLimit() const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (!entries_[i].movable)
            return i;
    return entries_.size();
}

void World::rememberPosition(const StatusEntry& entry) {
    const auto frames = layoutFrames();
    rememberedPositions[{applicationKey(entry.creatorPid), entry.autosaveName}] =
        screen().width - frames[indexOf(entry.itemId)].maxX();
}

double World::widthOf(const StatusEntry& entry) const {
    if (!entry.registered)
        return 0;
    if (entry.length == platform::StatusItem::squareLength)
        return screen().menuBarHeight;
    if (entry.length >= 0)
        return entry.length;
    // Variable length: the button's content with a little padding.
    double content = static_cast<double>(entry.title.size()) * 7;
    if (entry.image && entry.imagePosition != platform::ImagePosition::noImage)
        content += entry.image->size().width;
    return content + 10;
}

std::vector<platform::Rect> World::layoutFrames() const {
    std::vector<double> widths;
    widths.reserve(entries_.size());
    for (const auto& entry : entries_)
        widths.push_back(widthOf(entry));
    return StatusBarLayout::frames(widths, screen().width, screen().rightInset,
                                   screen().menuBarHeight);
}

platform::Rect World::reportedFrame(const StatusEntry& entry, const platform::Rect& laidOut,
                                    async::TimePoint now) const {
    platform::Rect frame = laidOut;
    const auto settledAt = entry.registeredAt + entry.faults.settleTime;
    if (now < settledAt) {
        // Drifts towards its place: every reading while unsettled differs.
        const auto remaining = std::chrono::duration<double, std::milli>(settledAt - now).count();
        frame.origin.x += remaining / 100;
    }
    return frame;
}

platform::Rect World::reportedFrame(const StatusEntry& entry, async::TimePoint now) const {
    return reportedFrame(entry, layoutFrames()[indexOf(entry.itemId)], now);
}

bool World::isListed(const StatusEntry& entry) const {
    if (!entry.registered)
        return false;
    if (entry.isLeftover || !hostStatusItemsInHost)
        return true;
    return runningHostPid().has_value();
}

std::int32_t World::windowOwner(const StatusEntry& entry) const {
    if (entry.isLeftover || !hostStatusItemsInHost)
        return entry.creatorPid;
    return runningHostPid().value_or(entry.creatorPid);
}

void World::recordPost(const PostedEvent& post) {
    ++counters.posts;
    postedEvents.push_back(post);
    if (postedEvents.size() > keptPostedEvents)
        postedEvents.pop_front();
}

std::string World::applicationKey(std::int32_t pid) const {
    const SimProcess* owner = process(pid);
    if (!owner)
        return {};
    return owner->bundleIdentifier.value_or(owner->name);
}

} // namespace corvel::sim
