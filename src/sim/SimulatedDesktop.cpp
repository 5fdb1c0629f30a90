#include "sim/SimulatedDesktop.h"

#include "platform/EventFlags.h"

#include "sim/AccessibilityTree.h"
#include "sim/EventRouter.h"
#include "sim/PersonInput.h"
#include "sim/SimStatusItem.h"
#include "sim/WindowServer.h"

#include <unistd.h>
#include <utility>

namespace corvel::sim {

std::shared_ptr<SimulatedDesktop>
SimulatedDesktop::create(async::Executor& executor, Scenario scenario, std::int32_t selfPid) {
    auto desktop = std::make_shared<SimulatedDesktop>(ConstructionKey{}, executor,
                                                      std::move(scenario), selfPid);
    const auto lock = desktop->hold();
    desktop->scheduleApplicationEventsLocked();
    return desktop;
}

std::shared_ptr<SimulatedDesktop> SimulatedDesktop::create(async::Executor& executor,
                                                           Scenario scenario) {
    return create(executor, std::move(scenario), static_cast<std::int32_t>(::getpid()));
}

SimulatedDesktop::SimulatedDesktop(ConstructionKey, async::Executor& executor, Scenario scenario,
                                   std::int32_t selfPid)
    : executor_(executor), world_(std::move(scenario), executor.now(), selfPid) {}

platform::PlatformServices SimulatedDesktop::services() {
    auto self = shared_from_this();
    platform::PlatformServices services;
    services.windowList = std::shared_ptr<platform::WindowList>(self, this);
    services.accessibility = std::shared_ptr<platform::Accessibility>(self, this);
    services.syntheticEvents = std::shared_ptr<platform::SyntheticEvents>(self, this);
    services.statusBar = std::shared_ptr<platform::StatusBar>(self, this);
    services.workspace = std::shared_ptr<platform::Workspace>(self, this);
    services.activation = std::shared_ptr<platform::ApplicationActivation>(self, this);
    services.screenCapture = std::shared_ptr<platform::ScreenCapture>(self, this);
    services.processes = std::shared_ptr<platform::Processes>(self, this);
    services.environment = std::shared_ptr<platform::ProcessEnvironment>(self, this);
    services.screens = std::shared_ptr<platform::Screens>(self, this);
    services.globalEventMonitor = std::shared_ptr<platform::GlobalEventMonitor>(self, this);
    services.hotKeys = std::shared_ptr<platform::HotKeys>(self, this);
    services.symbolImages = std::shared_ptr<platform::SymbolImages>(self, this);
    services.wallClock = std::shared_ptr<platform::WallClock>(self, this);
    services.launchAtLogin = loginItem_;
    return services;
}

std::optional<platform::PlatformValue> SimulatedDesktop::copyWindowInfo(std::uint32_t,
                                                                        std::uint32_t) const {
    const auto lock = hold();
    return windowServer_.windowList(world_, executor_.now());
}

// Status bar

std::shared_ptr<platform::StatusItem> SimulatedDesktop::statusItem(double length) {
    const auto lock = hold();
    StatusEntry& entry = world_.addEntry(world_.selfPid(), length);
    entry.faults.settleTime = world_.scenario().settleTime;
    auto item =
        std::make_shared<SimStatusItem>(weakSelf(), entry.itemId, length, entry.autosaveName);
    scheduleRegistrationLocked(entry.itemId);
    return item;
}

void SimulatedDesktop::removeStatusItem(const std::shared_ptr<platform::StatusItem>& item) {
    const auto* simItem = dynamic_cast<const SimStatusItem*>(item.get());
    if (simItem)
        releaseItem(simItem->itemId());
}

void SimulatedDesktop::forgetRememberedPosition(const std::string& autosaveName) {
    const auto lock = hold();
    world_.rememberedPositions.erase({world_.applicationKey(world_.selfPid()), autosaveName});
}

void SimulatedDesktop::releaseItem(std::uint64_t itemId) {
    World::Released released; // destroyed after the lock is released
    const auto lock = hold();
    world_.removeEntry(itemId);
    released = world_.takeReleased();
}

void SimulatedDesktop::updateItem(std::uint64_t itemId,
                                  const std::function<void(World&, StatusEntry&)>& change) {
    const auto lock = hold();
    if (StatusEntry* entry = world_.entryByItem(itemId))
        change(world_, *entry);
    scheduleTimersLocked();
}

void SimulatedDesktop::scheduleRegistrationLocked(std::uint64_t itemId) {
    const async::Duration delay = world_.registrationDelay;
    if (delay <= async::Duration::zero()) {
        world_.registerEntry(itemId, executor_.now());
        return;
    }
    executor_.after(delay, [weak = weakSelf(), itemId] {
        if (auto self = weak.lock()) {
            const auto lock = self->hold();
            self->world_.registerEntry(itemId, self->executor_.now());
        }
    });
}

// Synthetic events

std::optional<platform::EventSource>
SimulatedDesktop::createSource(platform::EventSourceStateID stateID) {
    const auto lock = hold();
    platform::EventSource source;
    source.sourceID = nextSourceID_++;
    source.stateID = stateID;
    return source;
}

std::optional<platform::SyntheticEvent>
SimulatedDesktop::createMouseEvent(const platform::EventSource* source, platform::EventType type,
                                   platform::Point location, platform::MouseButton button) {
    const auto lock = hold();
    platform::SyntheticEvent event;
    event.serial = nextSerial_++;
    event.type = type;
    event.location = location;
    if (source)
        event.source = *source;
    event.setIntegerValueField(platform::EventField::mouseEventButtonNumber,
                               static_cast<int>(button));
    event.setIntegerValueField(platform::EventField::mouseEventClickState, 1);
    return event;
}

std::optional<platform::SyntheticEvent>
SimulatedDesktop::createKeyboardEvent(const platform::EventSource* source, std::uint16_t keyCode,
                                      bool keyDown) {
    const auto lock = hold();
    platform::SyntheticEvent event;
    event.serial = nextSerial_++;
    event.type = keyDown ? platform::EventType::keyDown : platform::EventType::keyUp;
    if (source)
        event.source = *source;
    event.setIntegerValueField(platform::EventField::keyboardEventKeycode, keyCode);
    return event;
}

void SimulatedDesktop::post(platform::EventTapLocation tap, const platform::SyntheticEvent& event) {
    deliver(event, tap, std::nullopt);
}

void SimulatedDesktop::postToPid(std::int32_t pid, const platform::SyntheticEvent& event) {
    deliver(event, std::nullopt, pid);
}

void SimulatedDesktop::deliver(const platform::SyntheticEvent& event,
                               std::optional<platform::EventTapLocation> tap,
                               std::optional<std::int32_t> pid) {
    World::Released released; // an item may vanish; see World::Released
    const auto lock = hold();
    EventRouter::deliver(world_, event, tap, pid, executor_.now());
    scheduleTimersLocked();
    released = world_.takeReleased();
}

// Accessibility actions and activation of this process's items

platform::AccessibilityError
SimulatedDesktop::performAction(const platform::AccessibilityElement& element,
                                std::string_view action) {
    if (awaitAccessibilityAnswer(element))
        return platform::AccessibilityError::cannotComplete;
    Callouts callouts;
    platform::AccessibilityError error;
    {
        const auto lock = hold();
        auto result = AccessibilityTree::performAction(world_, element, action);
        error = result.error;
        if (result.ownItem)
            ownActivationLocked(*result.ownItem, callouts);
        scheduleTimersLocked();
    }
    postAll(std::move(callouts));
    return error;
}

void SimulatedDesktop::ownActivationLocked(std::uint64_t itemId, Callouts& callouts) {
    callouts.push_back([weak = weakSelf(), itemId] {
        if (auto self = weak.lock())
            self->runOwnActivation(itemId);
    });
}

void SimulatedDesktop::runOwnActivation(std::uint64_t itemId) {
    std::shared_ptr<platform::Menu> menu;
    platform::StatusBarButton::Action action;
    std::string identifier;
    {
        const auto lock = hold();
        const StatusEntry* entry = world_.entryByItem(itemId);
        if (!entry)
            return;
        menu = entry->menu;
        action = entry->action;
        identifier = entry->identifier;
    }
    if (!menu) {
        // The action may remove the item or destroy the desktop's users.
        if (action)
            action(identifier);
        return;
    }
    std::vector<std::string> titles;
    for (const auto& item : menu->prepareToOpen())
        titles.push_back(item.isSeparator ? "-" : item.title);
    const auto lock = hold();
    if (const StatusEntry* entry = world_.entryByItem(itemId))
        world_.openMenu(*entry, titles);
}

// A person's input

void SimulatedDesktop::click(platform::Point location, platform::MouseButton button) {
    Callouts callouts;
    {
        const auto lock = hold();
        const auto outcome = PersonInput::click(world_, location);
        if (outcome.reachesMonitors) {
            const auto type = button == platform::MouseButton::right
                                  ? platform::EventType::rightMouseDown
                                  : platform::EventType::leftMouseDown;
            monitorsLocked({type, location, 0}, callouts);
        }
        if (outcome.ownItem)
            ownActivationLocked(*outcome.ownItem, callouts);
        if (outcome.ownMenuRow)
            ownMenuRowLocked(*outcome.ownMenuRow, callouts);
        scheduleTimersLocked();
    }
    postAll(std::move(callouts));
}

void SimulatedDesktop::commandDrag(platform::Point from, platform::Point to) {
    Callouts callouts;
    {
        World::Released released;
        const auto lock = hold();
        if (PersonInput::commandDrag(world_, from, to, executor_.now()))
            monitorsLocked(
                {platform::EventType::leftMouseDown, from, platform::EventFlags::maskCommand},
                callouts);
        scheduleTimersLocked();
        released = world_.takeReleased();
    }
    postAll(std::move(callouts));
}

void SimulatedDesktop::pressKey(std::uint16_t keyCode, std::uint64_t modifierFlags) {
    Callouts callouts;
    {
        const auto lock = hold();
        if (!hotKeyLocked(keyCode, modifierFlags, callouts)) {
            if (const auto chosen = PersonInput::pressKey(world_, keyCode))
                ownMenuRowLocked(*chosen, callouts);
            scheduleTimersLocked();
            monitorsLocked({platform::EventType::keyDown, {}, modifierFlags}, callouts);
        }
    }
    postAll(std::move(callouts));
}

void SimulatedDesktop::ownMenuRowLocked(const PersonInput::OwnMenuRow& row, Callouts& callouts) {
    const StatusEntry* entry = world_.entryByItem(row.first);
    if (entry && entry->menu)
        callouts.push_back([menu = entry->menu, index = row.second] { menu->performItem(index); });
}

void SimulatedDesktop::monitorsLocked(const platform::MonitoredEvent& event,
                                      Callouts& callouts) const {
    const std::uint64_t bit = std::uint64_t{1} << static_cast<int>(event.type);
    for (const auto& [token, monitor] : world_.monitors) {
        if (!(monitor.first & bit))
            continue;
        callouts.push_back(
            [weak = std::weak_ptr<const SimulatedDesktop>(weak_from_this()), token = token, event] {
                // Looked up when it runs: a monitor removed meanwhile sees nothing.
                auto self = weak.lock();
                if (!self)
                    return;
                Handler handler;
                {
                    const auto lock = self->hold();
                    auto found = self->world_.monitors.find(token);
                    if (found == self->world_.monitors.end())
                        return;
                    handler = found->second.second;
                }
                handler(event);
            });
    }
}

void SimulatedDesktop::postAll(Callouts callouts) {
    for (auto& callout : callouts)
        executor_.post(std::move(callout));
}

// Timers

void SimulatedDesktop::scheduleTimersLocked() {
    for (auto& deferred : world_.takeDeferred())
        executor_.after(deferred.delay, [weak = weakSelf(), effect = std::move(deferred.effect)] {
            if (auto self = weak.lock())
                self->runDeferred(effect);
        });
    for (const auto& menu : world_.menus()) {
        const StatusEntry* entry = world_.entryByItem(menu.itemId);
        if (!entry || !entry->faults.menuAutoClose)
            continue;
        if (!autoCloseScheduled_.insert(menu.windowNumber).second)
            continue;
        executor_.after(*entry->faults.menuAutoClose,
                        [weak = weakSelf(), window = menu.windowNumber] {
                            if (auto self = weak.lock()) {
                                const auto lock = self->hold();
                                self->world_.closeMenu(window);
                            }
                        });
    }
}

void SimulatedDesktop::runDeferred(const World::Effect& effect) {
    World::Released released; // an item may vanish; see World::Released
    const auto lock = hold();
    effect(world_);
    scheduleTimersLocked();
    released = world_.takeReleased();
}

void SimulatedDesktop::scheduleRelaunchLocked(std::int32_t pid, async::Duration delay) {
    executor_.after(delay, [weak = weakSelf(), pid] {
        if (auto self = weak.lock()) {
            const auto lock = self->hold();
            self->relaunchLocked(pid);
        }
    });
}

void SimulatedDesktop::relaunchLocked(std::int32_t pid) {
    if (const auto started = world_.relaunch(pid, executor_.now()))
        announceLocked(platform::ApplicationChange::launched, *started);
}

void SimulatedDesktop::quitLocked(std::int32_t pid) {
    const SimProcess* process = world_.process(pid);
    if (!process || !process->running)
        return;
    const auto relaunchAfter = process->relaunchAfter;
    world_.terminate(pid);
    announceLocked(platform::ApplicationChange::terminated, pid);
    if (relaunchAfter)
        scheduleRelaunchLocked(pid, *relaunchAfter);
}

void SimulatedDesktop::announceLocked(platform::ApplicationChange change, std::int32_t pid) {
    // The workspace announces only applications with a Dock presence: not
    // background ones, nor those that run as accessories (LSUIElement), as
    // most that put items in the menu bar do.
    const SimProcess* process = world_.process(pid);
    if (!process || !process->isApplication ||
        process->activationPolicy != platform::ActivationPolicy::regular)
        return;
    for (const auto& [token, handler] : world_.applicationObservers)
        executor_.post([weak = weakSelf(), token = token, change, pid] {
            // Looked up when it runs: an observer removed meanwhile hears nothing.
            auto self = weak.lock();
            if (!self)
                return;
            ApplicationChangeHandler handler;
            {
                const auto lock = self->hold();
                const auto found = self->world_.applicationObservers.find(token);
                if (found == self->world_.applicationObservers.end())
                    return;
                handler = found->second;
            }
            handler(change, pid);
        });
}

// Applications that launch late or quit on their own; each is found again by
// its scenario entry, since a relaunch changes its pid.
void SimulatedDesktop::scheduleApplicationEventsLocked() {
    for (const auto& process : world_.processes()) {
        if (!process.scenarioIndex)
            continue;
        const auto& application = world_.scenario().applications[*process.scenarioIndex];
        if (application.launchAt)
            scheduleRelaunchLocked(process.pid, *application.launchAt);
        if (!application.quitAt)
            continue;
        executor_.after(*application.quitAt, [weak = weakSelf(), index = *process.scenarioIndex] {
            auto self = weak.lock();
            if (!self)
                return;
            World::Released released;
            const auto lock = self->hold();
            for (const auto& candidate : self->world_.processes())
                if (candidate.scenarioIndex == index) {
                    self->quitLocked(candidate.pid);
                    break;
                }
            released = self->world_.takeReleased();
        });
    }
}

// Processes

std::int32_t SimulatedDesktop::currentProcessIdentifier() const {
    return world_.selfPid();
}

std::optional<std::int32_t> SimulatedDesktop::launch(const std::string& executablePath,
                                                     const std::vector<std::string>& arguments) {
    World::Released released;
    const auto lock = hold();
    // The only program the simulated desktop can run is killall.
    if (world_.launchFails || executablePath != "/usr/bin/killall")
        return std::nullopt;
    ++world_.counters.launches;
    const std::int32_t helper = world_.addHelperProcess(executablePath).pid;
    std::vector<std::int32_t> matched;
    for (const auto& process : world_.processes())
        if (process.running && process.isApplication && process.pid != world_.selfPid() &&
            arguments.size() == 1 && process.executable == arguments.front())
            matched.push_back(process.pid);
    for (std::int32_t pid : matched)
        quitLocked(pid);
    released = world_.takeReleased();
    auto exit = std::make_shared<async::Completion<int>>();
    exits_[helper] = exit;
    executor_.after(world_.scenario().killallRunTime,
                    [weak = weakSelf(), helper, exit, status = matched.empty() ? 1 : 0] {
                        if (auto self = weak.lock()) {
                            const auto lock = self->hold();
                            if (SimProcess* process = self->world_.process(helper))
                                process->running = false;
                        }
                        exit->complete(status);
                    });
    return helper;
}

async::Task<int> SimulatedDesktop::waitUntilExit(std::int32_t pid) {
    std::shared_ptr<async::Completion<int>> exit;
    {
        const auto lock = hold();
        if (auto found = exits_.find(pid); found != exits_.end())
            exit = found->second;
    }
    if (!exit)
        co_return -1;
    co_return co_await exit->wait();
}

} // namespace corvel::sim
