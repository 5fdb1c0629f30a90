#pragma once

#include "async/Executor.h"
#include "async/Hop.h"
#include "async/Spawn.h"
#include "async/Turnstile.h"
#include "async/WaiterQueue.h"
#include "backend/MenuBarBackend.h"
#include "backend_mac26/ChromeClickForwarder.h"
#include "backend_mac26/ChromePlacementGate.h"
#include "backend_mac26/Mac26IdentityCache.h"
#include "backend_mac26/Mac26MenuBarReader.h"
#include "backend_mac26/Mac26MenuExtraResolver.h"
#include "backend_mac26/Mac26OwnWindows.h"
#include "backend_mac26/Mac26PollLoop.h"
#include "backend_mac26/Mac26PollWake.h"
#include "backend_mac26/Mac26Spacer.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "domain/Uuid.h"
#include "platform/PlatformServices.h"
#include "platform/StatusItem.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace corvel {

/// The menu bar backend for macOS 26, on the platform ports.
///
/// Confined to the main thread: every operation is called there, and the
/// asynchronous ones continue there (they hop to `mainExecutor` first when
/// awaited elsewhere). Other applications' accessibility is read only on
/// `backgroundExecutor`, by the poll and by the reads and presses the
/// operations send there, so an application that does not answer never holds
/// the main thread; the poll shares the reader (thread-safe) and the change
/// stream and holds no reference to the backend. Callers keep the backend
/// alive while any of its tasks runs. Both executors must outlive it; tests
/// may pass one manual loop as both to run the poll in virtual time.
class Mac26Backend final : public MenuBarBackend {
  public:
    static constexpr double hiddenLength = Mac26Spacer::hiddenLength;
    static constexpr double restingLength = Mac26Spacer::restingLength;
    /// How long a press waits for the item's menu to be seen open.
    static constexpr std::chrono::seconds openConfirmTimeout{2};
    /// Status items prepare() tries before it gives up, and how often and
    /// how far apart it looks for each one's window.
    static constexpr int spacerCreationAttempts = 2;
    static constexpr int registrationAttempts = 10;
    static constexpr std::chrono::milliseconds registrationInterval{75};
    /// How long hideRegion() lets the bar relay before it checks.
    static constexpr std::chrono::milliseconds hideSettleDelay{150};

    /// Creates no status item and starts no poll. The application passes
    /// the namespace "Corvel".
    Mac26Backend(std::string nameSpace, platform::PlatformServices services,
                 async::Executor& mainExecutor, async::Executor& backgroundExecutor);
    /// Cancels the poll, closes the change stream and removes every status
    /// item of Corvel's own. Main thread.
    ~Mac26Backend() override;

    Mac26Backend(const Mac26Backend&) = delete;
    Mac26Backend& operator=(const Mac26Backend&) = delete;

    void attachPrimaryIconMenu(std::shared_ptr<platform::Menu> menu) override;
    std::optional<ItemFrame> primaryIconFrame() const override;
    std::optional<ItemFrame> ownChromeFrame(const Uuid& handle) const override;
    async::Task<void> prepare() override;
    async::Task<std::vector<ObservedItem>> currentItems() override;
    async::Task<std::vector<ObservedItem>> knownItems() override;
    async::Task<void> hideRegion() override;
    async::Task<void> revealRegion() override;
    async::Task<void> moveIntoHiddenRegion(ObservedItem item) override;
    async::Task<void> moveOutOfHiddenRegion(ObservedItem item) override;
    async::Task<void> press(ObservedItem item) override;
    async::Task<CaptureResult> captureSnapshot(ObservedItem item) override;
    std::shared_ptr<ChangeStream> changes() const override { return changes_; }
    async::Task<GhostRecoveryOutcome> recoverFromGhosts() override;
    async::Task<std::vector<BackendItemToken>>
    placeOwnChrome(std::vector<OwnChromeIcon> icons) override;

    const std::string& nameSpace() const { return nameSpace_; }
    /// The target of every own icon's button.
    const std::shared_ptr<ChromeClickForwarder>& chromeClickForwarder() const {
        return chromeClickForwarder_;
    }

    /// The background poll (Mac26PollLoop): given the reader and the change
    /// stream, it holds no reference to the backend and runs until its task
    /// is cancelled.
    static async::Task<void> pollLoop(Mac26PollLoop::Inputs inputs) {
        return Mac26PollLoop::run(std::move(inputs));
    }

    /// Looks `attempts` times, `interval` apart, for a status window named
    /// exactly `name` (bounds not needed) and answers the first one's number.
    /// A cancelled sleep is ignored. Resumes on the caller's executor.
    static async::Task<std::optional<std::uint32_t>> awaitRegistration(MenuBarWindowList windowList,
                                                                       std::string name,
                                                                       int attempts,
                                                                       async::Duration interval);

  private:
    /// `co_await enterMain()` continues on the main executor: at once when
    /// the caller runs there already, else through the main queue.
    auto enterMain() { return async::hopTo(main_); }

    /// The spacer's number from a fresh reading (by name, else the number
    /// last recognised); nothing while unprepared. Stores nothing.
    std::optional<std::uint32_t> liveSpacerWindowID() const;
    /// The same, from a reading already made.
    std::optional<std::uint32_t>
    liveSpacerWindowID(const std::vector<MenuBarWindowInfo>& bar) const;
    /// Puts the attached menu on the primary icon, when both exist.
    void applyPrimaryIconMenu();
    /// Starts the poll, and the listeners that wake it when the bar may
    /// change: a person's mouse-down there, an application launching or
    /// quitting.
    void startPolling();
    void stopListening();
    /// Held by each operation that changes the bar, so that the poll reads
    /// at its fast pace from the start of the change until it has settled.
    Mac26PollWake::Changing changing() const { return Mac26PollWake::Changing(pollWake_); }
    void reportOwnChromeClick(const Uuid& handle);
    /// A fresh reading made on the background executor: with a full scan,
    /// or with the identities known (Mac26MenuBarReader::knownItems()).
    enum class Identities { scanned, asKnown };
    async::Task<std::vector<ObservedItem>> readItems(Identities identities);
    /// The spacer's window as `bar` shows it, with bounds; absent while it
    /// is not listed under the number known for it.
    std::optional<MenuBarWindowInfo>
    listedSpacerWindow(const std::vector<MenuBarWindowInfo>& bar) const;
    /// The spacer's window, and the reading that lists it.
    struct SpacerReading {
        MenuBarWindowInfo spacer;
        std::vector<MenuBarWindowInfo> bar;
    };
    /// The spacer's window once it is listed, starting from `bar` and
    /// looking `registrationAttempts` times, `registrationInterval` apart,
    /// with a walk each time the list shows windows but not the spacer;
    /// absent if it never is.
    async::Task<std::optional<SpacerReading>> awaitSpacerWindow(std::vector<MenuBarWindowInfo> bar);
    /// The hidden-region work once the spacer is found.
    async::Task<void> widenCheckingForeignItems(SpacerReading found);
    /// Waits until no other move or press runs; the pass lets the next one
    /// through when it goes. Throws, naming `operation`, when cancelled.
    async::Task<async::Turnstile::Pass> takeTurnAtTheBar(const char* operation);
    /// The moves themselves, in the caller's turn.
    async::Task<void> movingIn(ObservedItem item);
    async::Task<void> movingOut(ObservedItem item);
    using Move = async::Task<void> (Mac26Backend::*)(ObservedItem);
    /// A move on the main thread, in its turn, named `operation` if cancelled.
    async::Task<void> moveInTurn(const char* operation, Move move, ObservedItem item);
    /// Fresh reading of the item with this token.
    async::Task<ObservedItem> refreshedItem(BackendItemToken token, Identities identities);
    /// Whether the item stands in the hidden region now.
    async::Task<bool> standsInHiddenRegion(ObservedItem item);
    /// Presses the item's element on the background executor; answers
    /// whether there was one.
    async::Task<bool> pressElement(ObservedItem item);
    /// After the item's known identity led to no element: names the item
    /// afresh with a walk and presses it again; answers the item as pressed.
    async::Task<ObservedItem> pressNamedAfresh(ObservedItem item);
    /// A walk that recognises Corvel's own windows again, wherever a
    /// restarted host put them; on the background executor.
    async::Task<void> recogniseOwnWindows();
    /// Moves are refused while Screen Recording is missing: without it the
    /// window list hides the names the moves and identities rely on.
    void requireScreenRecording(const char* operation) const;

    const std::string nameSpace_;
    const platform::PlatformServices services_;
    async::Executor& main_;
    async::Executor& background_;
    const MenuBarWindowList windowList_;

    std::shared_ptr<platform::StatusItem> spacerItem_;
    std::unordered_map<Uuid, std::shared_ptr<platform::StatusItem>> chromeItemsByHandle_;
    std::optional<Uuid> primaryHandle_;
    std::shared_ptr<platform::Menu> primaryIconMenu_;
    /// The spacer's and the icons' window numbers, kept current across
    /// renumberings by the reader's walks.
    const std::shared_ptr<Mac26OwnWindows> ownWindows_;
    const std::shared_ptr<ChromeClickForwarder> chromeClickForwarder_;
    ChromePlacementGate placementGate_;
    /// One move or press at a time.
    async::Turnstile barTurns_;
    const std::shared_ptr<Mac26MenuExtraResolver> extraResolver_;
    const std::shared_ptr<Mac26IdentityCache> identityCache_;
    const std::shared_ptr<Mac26MenuBarReader> reader_;
    /// Set by revealRegion() and cleared by hideRegion(): a region opened on
    /// purpose (show-all) stays open while items are moved into it.
    bool regionHeldOpen_ = false;
    async::SpawnHandle pollTask_;
    const std::shared_ptr<Mac26PollWake> pollWake_ = std::make_shared<Mac26PollWake>();
    std::optional<platform::GlobalEventMonitor::Token> barMonitor_;
    std::optional<platform::Workspace::ObserverToken> applicationObserver_;
    /// Producer and consumer side are one channel: the backend and the poll
    /// send, the single consumer receives.
    const std::shared_ptr<ChangeStream> changes_;

    /// Overlapping prepare() calls wait for the one in flight.
    bool preparing_ = false;
    async::WaiterQueue prepareWaiters_;
};

} // namespace corvel
