#pragma once

#include "async/Completion.h"
#include "async/Executor.h"
#include "platform/Accessibility.h"
#include "platform/ApplicationActivation.h"
#include "platform/GlobalEventMonitor.h"
#include "platform/HotKeys.h"
#include "platform/MouseButton.h"
#include "platform/PlatformServices.h"
#include "platform/ProcessEnvironment.h"
#include "platform/Processes.h"
#include "platform/ScreenCapture.h"
#include "platform/Screens.h"
#include "platform/StatusBar.h"
#include "platform/SymbolImages.h"
#include "platform/SyntheticEvents.h"
#include "platform/WallClock.h"
#include "platform/WindowList.h"
#include "platform/Workspace.h"
#include "sim/BarItem.h"
#include "sim/Counters.h"
#include "sim/OpenMenu.h"
#include "sim/PersonInput.h"
#include "sim/PostedEvent.h"
#include "sim/Scenario.h"
#include "sim/SimLoginItem.h"
#include "sim/SimProcess.h"
#include "sim/WindowServer.h"
#include "sim/World.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace corvel::sim {

/// A simulated macOS 26 desktop with one display: one coherent world behind
/// every platform port. Thread-safe behind one lock, as the window server is
/// another process on a Mac. Timed by `executor`'s clock (timers through
/// Executor::after, never real sleeps); callbacks into the product (menu
/// updates, button actions, monitor handlers) are posted to `executor`, the
/// main thread, never run under the lock or inside the call that caused
/// them. It holds no rule of Corvel's: it behaves as macOS does, as written
/// in docs/simulator.md.
class SimulatedDesktop final : public std::enable_shared_from_this<SimulatedDesktop>,
                               public platform::WindowList,
                               public platform::Accessibility,
                               public platform::SyntheticEvents,
                               public platform::StatusBar,
                               public platform::Workspace,
                               public platform::ApplicationActivation,
                               public platform::ScreenCapture,
                               public platform::Processes,
                               public platform::ProcessEnvironment,
                               public platform::Screens,
                               public platform::GlobalEventMonitor,
                               public platform::HotKeys,
                               public platform::SymbolImages,
                               public platform::WallClock {
  public:
    /// `executor` must outlive the desktop. `selfPid` is the process that
    /// uses the ports (this process by default).
    static std::shared_ptr<SimulatedDesktop> create(async::Executor& executor, Scenario scenario,
                                                    std::int32_t selfPid);
    static std::shared_ptr<SimulatedDesktop> create(async::Executor& executor, Scenario scenario);

    /// Every port, all backed by this desktop (the login item is a recorded
    /// setting of its own); the system log is left empty.
    platform::PlatformServices services();

    // WindowList
    std::optional<platform::PlatformValue>
    copyWindowInfo(std::uint32_t option, std::uint32_t relativeToWindow) const override;

    // Accessibility
    bool isProcessTrusted() const override;
    bool isProcessTrustedWithOptions(const platform::PlatformValue::Dictionary& options) override;
    platform::AccessibilityElement createApplication(std::int32_t pid) const override;
    platform::AccessibilityValueResult
    copyAttributeValue(const platform::AccessibilityElement& element,
                       std::string_view attribute) const override;
    platform::AccessibilityError performAction(const platform::AccessibilityElement& element,
                                               std::string_view action) override;
    platform::AccessibilityElement createSystemWide() const override;
    platform::AccessibilityError setMessagingTimeout(const platform::AccessibilityElement& element,
                                                     float timeoutInSeconds) override;

    // SyntheticEvents
    std::optional<platform::EventSource>
    createSource(platform::EventSourceStateID stateID) override;
    std::optional<platform::SyntheticEvent> createMouseEvent(const platform::EventSource* source,
                                                             platform::EventType type,
                                                             platform::Point location,
                                                             platform::MouseButton button) override;
    std::optional<platform::SyntheticEvent> createKeyboardEvent(const platform::EventSource* source,
                                                                std::uint16_t keyCode,
                                                                bool keyDown) override;
    void post(platform::EventTapLocation tap, const platform::SyntheticEvent& event) override;
    void postToPid(std::int32_t pid, const platform::SyntheticEvent& event) override;

    // StatusBar
    std::shared_ptr<platform::StatusItem> statusItem(double length) override;
    void removeStatusItem(const std::shared_ptr<platform::StatusItem>& item) override;
    void forgetRememberedPosition(const std::string& autosaveName) override;

    // Workspace
    std::vector<platform::RunningApplication> runningApplications() const override;
    std::optional<platform::RunningApplication>
    runningApplicationForPid(std::int32_t pid) const override;
    std::vector<platform::RunningApplication>
    runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier) const override;
    std::optional<std::string>
    urlForApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const override;
    platform::Image iconForFile(const std::string& path) const override;
    bool openURL(const std::string& url) override;
    ObserverToken addApplicationChangeObserver(ApplicationChangeHandler handler) override;
    void removeApplicationChangeObserver(ObserverToken token) override;

    // ApplicationActivation
    void setActivationPolicy(platform::ActivationPolicy policy) override;
    void activateIgnoringOtherApps(bool ignoringOtherApps) override;

    // ScreenCapture
    bool preflightAccess() const override;
    bool requestAccess() override;
    async::Task<std::optional<std::vector<platform::ShareableWindow>>> shareableWindows() override;
    async::Task<std::optional<platform::CapturedImage>>
    captureImage(platform::CaptureConfiguration configuration) override;
    std::optional<std::vector<std::uint8_t>>
    pngRepresentation(const platform::CapturedImage& image) override;

    // Processes
    std::int32_t currentProcessIdentifier() const override;
    std::optional<std::int32_t> launch(const std::string& executablePath,
                                       const std::vector<std::string>& arguments) override;
    async::Task<int> waitUntilExit(std::int32_t pid) override;

    // ProcessEnvironment
    std::optional<std::string> get(const std::string& name) const override;
    void set(const std::string& name, const std::string& value) override;

    // Screens
    std::optional<platform::Rect> mainScreenFrame() const override;

    // GlobalEventMonitor
    std::optional<Token> addGlobalMonitor(std::uint64_t mask, Handler handler) override;
    void removeMonitor(Token token) override;

    // HotKeys
    OSStatus installHotKeyPressedHandler(PressedHandler handler, HandlerRef& outRef) override;
    OSStatus removeEventHandler(HandlerRef handler) override;
    OSStatus registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                 platform::HotKeyID id, std::uint32_t options,
                                 HotKeyRef& outRef) override;
    OSStatus unregisterEventHotKey(HotKeyRef hotKey) override;
    std::optional<std::vector<platform::SymbolicHotKey>> copySymbolicHotKeys() const override;

    // SymbolImages
    std::optional<platform::Image>
    systemSymbolImage(const std::string& name,
                      const std::string& accessibilityDescription) const override;

    // WallClock: the time set last, moved on by the executor's clock since.
    std::chrono::system_clock::time_point now() const override;

    // A person's input (main thread): the desktop view and end-to-end tests.
    void click(platform::Point location,
               platform::MouseButton button = platform::MouseButton::left);
    void commandDrag(platform::Point from, platform::Point to);
    /// A key pressed with the modifiers of `modifierFlags` (event flags). A
    /// hot key takes it first: the system's or another application's, or
    /// one this process registered, whose handlers then run on the next
    /// turn of the loop. Otherwise it reaches the open menu and the key-down
    /// monitors.
    void pressKey(std::uint16_t keyCode, std::uint64_t modifierFlags = 0);
    /// Only the first step of pressKey, for a key pressed while a window of
    /// this process has the keyboard: answers whether a hot key took it.
    bool pressHotKey(std::uint16_t keyCode, std::uint64_t modifierFlags = 0);

    // Introspection for tests and the desktop view.
    std::vector<BarItem> itemsLeftToRight() const;
    std::vector<OpenMenu> openMenus() const;
    /// The newest posts, oldest first; counters().posts counts every one.
    std::vector<PostedEvent> postedEvents() const;
    Counters counters() const;
    std::vector<std::string> openedURLs() const;
    std::vector<SimProcess> processes() const;
    /// The name of the first process in that order that `matches`, without
    /// copying every process.
    std::optional<std::string>
    nameOfFirstProcess(const std::function<bool(const SimProcess&)>& matches) const;
    std::optional<std::int32_t> pidOf(const std::string& bundleIdentifier) const;
    std::optional<std::uint32_t> windowNumberOf(const std::string& windowName) const;
    /// This process's remembered position for the name.
    std::optional<double> rememberedPosition(const std::string& autosaveName) const;
    int activationCount() const;
    /// This process's registered hot keys: key code and Carbon modifiers.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> registeredHotKeys() const;

    // Fault switches and permissions; each also settable in the scenario.
    void setAccessibilityTrusted(bool trusted);
    void setAccessibilityGrantedOnPrompt(bool granted);
    void setScreenRecordingGranted(bool granted);
    void setScreenRecordingGrantedOnRequest(bool granted);
    void setHostStatusItemsInHost(bool hosted);
    void setRestartKeepsLeftovers(bool keeps);
    void setLaunchFails(bool fails);
    void setCaptureFails(bool fails);
    /// An application whose accessibility stops answering, or answers again.
    void setApplicationHung(const std::string& bundleIdentifier, bool hung);
    void setAccessibilityReadCost(async::Duration cost);
    /// The application quits now, as if on its own (and comes back after its
    /// relaunch delay, if it has one); or one that does not run starts.
    void quitApplication(const std::string& bundleIdentifier);
    void launchApplication(const std::string& bundleIdentifier);
    /// For items with this autosave name, now and later.
    void setItemFaults(const std::string& autosaveName, ItemFaults faults);
    void setRegistrationDelay(async::Duration delay);
    /// From now on; changes already under way keep the latency they had.
    void setLatencies(Latencies latencies);
    Latencies latencies() const;
    /// The wall clock reads `time` now and runs on with the executor's clock.
    void setWallClock(std::chrono::system_clock::time_point time);

    /// `listener` runs on the executor after the desktop may have changed,
    /// whichever thread changed it; changes that come before it runs share
    /// one call. What only time changes (the wall clock, an item drifting
    /// into place) is not announced. None stops the calls.
    void setChangeListener(std::function<void()> listener);

  private:
    friend class SimStatusItem;
    struct ConstructionKey {};

  public:
    SimulatedDesktop(ConstructionKey, async::Executor& executor, Scenario scenario,
                     std::int32_t selfPid);

  private:
    using Callouts = std::vector<std::function<void()>>;

    void updateItem(std::uint64_t itemId, const std::function<void(World&, StatusEntry&)>& change);
    void releaseItem(std::uint64_t itemId);
    void deliver(const platform::SyntheticEvent& event,
                 std::optional<platform::EventTapLocation> tap, std::optional<std::int32_t> pid);
    /// Timers the world needs after a change: its deferred effects and menus
    /// that close by themselves.
    void scheduleTimersLocked();
    void runDeferred(const World::Effect& effect);
    void scheduleRegistrationLocked(std::uint64_t itemId);
    void scheduleRelaunchLocked(std::int32_t pid, async::Duration delay);
    void scheduleApplicationEventsLocked();
    void quitLocked(std::int32_t pid);
    /// Starts the exited application again and announces it.
    void relaunchLocked(std::int32_t pid);
    /// Posts the workspace's announcement to every application observer, for
    /// the applications the workspace announces.
    void announceLocked(platform::ApplicationChange change, std::int32_t pid);
    /// Holds the calling thread as long as `element`'s application takes to
    /// answer; answers whether it never did (the messaging timeout passed).
    bool awaitAccessibilityAnswer(const platform::AccessibilityElement& element) const;
    void ownActivationLocked(std::uint64_t itemId, Callouts& callouts);
    void runOwnActivation(std::uint64_t itemId);
    /// Runs the chosen entry's action of this process's menu, outside the lock.
    void ownMenuRowLocked(const PersonInput::OwnMenuRow& row, Callouts& callouts);
    void monitorsLocked(const platform::MonitoredEvent& event, Callouts& callouts) const;
    bool hotKeyLocked(std::uint16_t keyCode, std::uint64_t modifierFlags, Callouts& callouts);
    void postAll(Callouts callouts);
    platform::RunningApplication runningApplicationLocked(const SimProcess& process) const;
    platform::Image iconLocked(const SimProcess& process) const;
    std::weak_ptr<SimulatedDesktop> weakSelf() { return weak_from_this(); }
    void setSwitch(bool World::*field, bool value);
    /// The lock, taken the one way there is: a call that may change the
    /// world takes the non-const one, which announces the change, so none
    /// can go unannounced; a call that only reads takes the const one.
    std::unique_lock<std::mutex> hold();
    std::unique_lock<std::mutex> hold() const;
    void announceChangeLocked();

    async::Executor& executor_;
    /// Taken only through hold().
    mutable std::mutex mutex_;
    /// Guarded by mutex_.
    std::function<void()> changeListener_;
    bool changeAnnounced_ = false;
    mutable WindowServer windowServer_;
    World world_;
    std::set<std::uint32_t> autoCloseScheduled_;
    std::map<std::int32_t, std::shared_ptr<async::Completion<int>>> exits_;
    mutable std::map<std::int32_t, platform::Image> iconCache_;
    std::uint64_t nextSerial_ = 1;
    std::uint64_t nextSourceID_ = 1;
    std::shared_ptr<SimLoginItem> loginItem_ = std::make_shared<SimLoginItem>();
};

} // namespace corvel::sim
