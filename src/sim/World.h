#pragma once

#include "async/Executor.h"
#include "platform/GlobalEventMonitor.h"
#include "platform/Rect.h"
#include "platform/Workspace.h"
#include "sim/Counters.h"
#include "sim/HotKeyTable.h"
#include "sim/Latencies.h"
#include "sim/OpenMenu.h"
#include "sim/PostedEvent.h"
#include "sim/Scenario.h"
#include "sim/SimProcess.h"
#include "sim/StatusEntry.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace corvel::sim {

/// The state of the simulated desktop and the rules that keep it coherent:
/// processes, the status bar's order, menus, remembered positions. Not
/// thread-safe: SimulatedDesktop guards it with its one lock, schedules its
/// timers and calls out to product code only after unlocking.
class World {
  public:
    World(Scenario scenario, async::TimePoint now, std::int32_t selfPid);

    const Scenario& scenario() const { return scenario_; }
    const Scenario::Screen& screen() const { return scenario_.screen; }
    std::int32_t selfPid() const { return selfPid_; }
    platform::Rect screenFrame() const;

    // Processes
    const std::vector<SimProcess>& processes() const { return processes_; }
    SimProcess* process(std::int32_t pid);
    const SimProcess* process(std::int32_t pid) const;
    std::optional<std::int32_t> runningPidOf(const std::string& bundleIdentifier) const;
    /// The status bar host while it runs.
    std::optional<std::int32_t> runningHostPid() const;
    SimProcess& addHelperProcess(std::string executable);
    /// Ends a process: its status items leave the bar (their positions are
    /// remembered) and its menus close; the host's exit also clears leftovers.
    void terminate(std::int32_t pid);
    /// Starts an exited application again under a new pid with its menu
    /// extras, which come back with new window numbers. Answers the new pid.
    std::optional<std::int32_t> relaunch(std::int32_t oldPid, async::TimePoint now);

    // The status bar, left to right
    const std::deque<StatusEntry>& entries() const { return entries_; }
    StatusEntry* entryByItem(std::uint64_t itemId);
    const StatusEntry* entryByItem(std::uint64_t itemId) const;
    /// Only entries whose window is in the window list.
    const StatusEntry* listedEntryByWindow(std::uint32_t windowNumber) const;
    /// A new, unregistered item at the far left.
    StatusEntry& addEntry(std::int32_t creatorPid, double length);
    void registerEntry(std::uint64_t itemId, async::TimePoint now);
    /// Takes the item out of the bar, remembering its position by name.
    void removeEntry(std::uint64_t itemId);
    /// A new length for the item, laid out after the length-change latency.
    /// Requests land in the order they were made.
    void requestLength(std::uint64_t itemId, double length);
    /// Names the item; it moves to the position remembered for the name, and
    /// faults configured for the name apply.
    void setAutosaveName(std::uint64_t itemId, std::string name);
    /// Puts the item next to the target; never right of an item that can't
    /// move. Remembers the new position.
    void moveEntry(std::uint64_t itemId, std::uint64_t targetItemId, bool leftOfTarget);

    double widthOf(const StatusEntry& entry) const;
    /// Where each entry stands, parallel to entries(); unregistered ones
    /// take no room.
    std::vector<platform::Rect> layoutFrames() const;
    /// The frame the window server reports now, including unsettled motion.
    platform::Rect reportedFrame(const StatusEntry& entry, const platform::Rect& laidOut,
                                 async::TimePoint now) const;
    platform::Rect reportedFrame(const StatusEntry& entry, async::TimePoint now) const;
    bool isListed(const StatusEntry& entry) const;
    std::int32_t windowOwner(const StatusEntry& entry) const;
    /// What outlives a process of an application: its bundle identifier,
    /// else its name; empty for a process that is not known.
    std::string applicationKey(std::int32_t pid) const;

    // Menus
    const std::vector<OpenMenu>& menus() const { return menus_; }
    /// The menu opened last, which has the keyboard; none when none is open.
    OpenMenu* frontMenu() { return menus_.empty() ? nullptr : &menus_.back(); }
    /// Opens the item's menu, closing every other one.
    const OpenMenu& openMenu(const StatusEntry& entry, std::vector<std::string> titles);
    /// A click or press on an item: another application's item toggles its
    /// menu after the menu-open latency; this process's item is answered
    /// with its id, for the caller to run its menu or action outside the
    /// lock.
    std::optional<std::uint64_t> activate(std::uint64_t itemId);
    void closeMenu(std::uint32_t windowNumber);
    void closeAllMenus();
    void closeMenusOwnedBy(std::int32_t pid);
    /// Closes menus after the menu-close latency: all of them, or those of
    /// one process.
    void closeMenusLater(std::optional<std::int32_t> ownerPid = std::nullopt);

    /// A change the window server makes later. The desktop takes these after
    /// every locked call and runs each on its executor once `delay` has
    /// passed (under the lock, in the order they fall due).
    using Effect = std::function<void(World&)>;
    struct Deferred {
        async::Duration delay;
        Effect effect;
    };
    /// Runs `effect` now when `delay` is not positive, else queues it.
    void defer(async::Duration delay, Effect effect);
    std::vector<Deferred> takeDeferred() { return std::exchange(deferred_, {}); }

    std::uint32_t allocateWindowNumber() { return nextWindowNumber_++; }

    /// The product's objects (button actions, menus) of items that left the
    /// bar. They may own status items whose release takes the desktop's lock,
    /// so the desktop destroys them only after unlocking.
    struct Released {
        std::vector<platform::StatusBarButton::Action> actions;
        std::vector<std::shared_ptr<platform::Menu>> menus;
    };
    Released takeReleased() { return std::exchange(released_, {}); }

    // Switches, open to the desktop's setters and to tests
    bool accessibilityTrusted = true;
    bool accessibilityGrantedOnPrompt = false;
    bool screenRecordingGranted = true;
    bool screenRecordingGrantedOnRequest = false;
    bool hostStatusItemsInHost = false;
    bool restartKeepsLeftovers = false;
    bool launchFails = false;
    /// Until a status item made through the port shows in the window list.
    async::Duration registrationDelay{0};
    bool captureFails = false;
    Latencies latencies;
    async::Duration accessibilityReadCost{0};
    /// How long an accessibility call waits for an application that does
    /// not answer: the global one, and those set on single elements.
    async::Duration messagingTimeout = defaultMessagingTimeout;
    std::map<std::pair<std::int32_t, std::uint64_t>, async::Duration> elementMessagingTimeouts;
    static constexpr async::Duration defaultMessagingTimeout = std::chrono::seconds(6);
    std::map<std::string, ItemFaults> faultsByAutosaveName;
    /// Distance from the right edge by application (see applicationKey) and
    /// autosave name: each application keeps its own, as in its defaults.
    std::map<std::pair<std::string, std::string>, double> rememberedPositions;
    std::map<std::string, std::string> environment;
    /// The wall clock read `wallClockBase` at the executor's `wallClockSetAt`.
    std::chrono::system_clock::time_point wallClockBase;
    async::TimePoint wallClockSetAt;

    /// The system's, other applications' and this process's hot keys.
    HotKeyTable hotKeys;
    /// Whether an application with this bundle identifier or name runs.
    bool runs(const std::string& application) const;

    // Record of what happened
    Counters counters;
    /// The newest posts, at most keptPostedEvents: a desktop that runs for
    /// a simulated week must not grow with every Escape it was sent.
    static constexpr std::size_t keptPostedEvents = 1000;
    std::deque<PostedEvent> postedEvents;
    void recordPost(const PostedEvent& post);
    std::vector<std::string> openedURLs;
    /// Serials of recently delivered events, to deliver a double post once.
    std::deque<std::uint64_t> deliveredSerials;
    /// The window a stamped Command-mouse-down picked up, until its mouse-up.
    std::optional<std::uint32_t> draggedWindow;
    std::map<platform::GlobalEventMonitor::Token,
             std::pair<std::uint64_t, platform::GlobalEventMonitor::Handler>>
        monitors;
    platform::GlobalEventMonitor::Token nextMonitorToken = 1;
    std::map<platform::Workspace::ObserverToken, platform::Workspace::ApplicationChangeHandler>
        applicationObservers;
    platform::Workspace::ObserverToken nextApplicationObserverToken = 1;
    int selfActivations = 0;

  private:
    void addProcesses();
    void addStartupItems(async::TimePoint now);
    void addExtras(const SimProcess& process, async::TimePoint now);
    void addLeftovers(async::TimePoint now);
    std::int32_t allocatePid();
    void indexProcess(std::size_t index);
    std::size_t indexOf(std::uint64_t itemId) const;
    /// Index of the leftmost item that can't move, or entries().size().
    std::size_t pinnedLimit() const;
    void rememberPosition(const StatusEntry& entry);
    void moveToRememberedPosition(std::uint64_t itemId);
    void placeAtRememberedPosition(std::size_t index, double distance);
    void toggleMenu(std::uint64_t itemId);
    /// A restarted host's windows are a new process's windows.
    void renumberHostedWindows(std::int32_t hostPid);

    Scenario scenario_;
    std::int32_t selfPid_;
    Released released_;
    std::vector<Deferred> deferred_;
    std::vector<SimProcess> processes_;
    // Lookups that every listed window makes: with thousands of items, a
    // scan of every process for each would make a window list quadratic.
    std::unordered_map<std::int32_t, std::size_t> processByPid_;
    std::vector<std::size_t> hostProcesses_;
    std::unordered_set<std::int32_t> takenPids_;
    // New items enter at the far left, the front.
    std::deque<StatusEntry> entries_;
    std::vector<OpenMenu> menus_;
    std::uint32_t nextWindowNumber_ = 100;
    std::uint64_t nextItemId_ = 1;
    std::int32_t nextPid_ = 300;
};

} // namespace corvel::sim
