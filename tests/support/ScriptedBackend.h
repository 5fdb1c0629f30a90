#pragma once

#include "async/Completion.h"
#include "backend/BackendError.h"
#include "backend/MenuBarBackend.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel::test {

/// The engine's stand-in for a menu bar. It implements the whole backend
/// contract, writes down every call with its arguments in order, and answers
/// from a script. Build it with std::make_shared and hand it out as a
/// MenuBarBackend; keep it alive while its tasks run.
///
/// Answers, per operation:
///  - By default every operation succeeds at once. currentItems() answers the
///    standing items (setItems), captureSnapshot() the standing capture result
///    (unavailable(notCurrentlyOnScreen) until setCaptureResult),
///    recoverFromGhosts() clean, placeOwnChrome() one token per icon, the same
///    token for the same handle every time.
///  - queueItems / queueGhostOutcome / queueCaptureResult answer the next calls
///    one each, in order, before the standing value applies again.
///  - failNext(op, error) makes the next call of op throw `error`;
///    failAlways(op, error) makes every call throw it until
///    failAlways(op, std::nullopt). Queued steps are used before the standing
///    failure.
///  - holdNext(op) returns a Gate: the next call of op is recorded, then
///    suspends until the test calls gate.open() (go on as scripted) or
///    gate.fail(error) (throw). The caller resumes on its own executor, so run
///    the loop after opening.
///  - Successful moves update the standing items: the moved item's
///    isInHiddenRegion reads as the move left it, like a real menu bar.
///
/// Calls are recorded when their task starts running (tasks are lazy), and
/// the onCall observer runs right then, before the answer: the place to look
/// at the world at the moment of a call. Single-threaded: use it from the
/// loop's thread only (pushChange excepted, which is thread-safe).
class ScriptedBackend final : public MenuBarBackend {
  public:
    enum class Operation {
        attachPrimaryIconMenu,
        primaryIconFrame,
        prepare,
        currentItems,
        hideRegion,
        revealRegion,
        moveIntoHiddenRegion,
        moveOutOfHiddenRegion,
        press,
        captureSnapshot,
        recoverFromGhosts,
        placeOwnChrome,
        ownChromeFrame,
    };

    /// One recorded call. Only the argument of its own operation is set.
    struct Call {
        Operation operation;
        /// moveIntoHiddenRegion, moveOutOfHiddenRegion, press, captureSnapshot.
        std::optional<ObservedItem> item;
        /// placeOwnChrome.
        std::vector<OwnChromeIcon> icons;
        /// attachPrimaryIconMenu; nullptr when the menu was removed.
        std::shared_ptr<platform::Menu> menu;

        friend bool operator==(const Call&, const Call&) = default;
    };

    /// Holds one call of an operation until the test lets it go.
    class Gate {
      public:
        /// Lets the held call answer as scripted.
        void open();
        /// Makes the held call throw `error`.
        void fail(BackendError error);
        /// True once a call has arrived at this gate (and is waiting, unless
        /// the gate was already opened).
        bool isReached() const;

      private:
        friend class ScriptedBackend;
        struct State {
            async::Completion<std::optional<BackendError>> release;
            bool reached = false;
        };
        std::shared_ptr<State> state_ = std::make_shared<State>();
    };

    ScriptedBackend();

    // MenuBarBackend
    void attachPrimaryIconMenu(std::shared_ptr<platform::Menu> menu) override;
    std::optional<ItemFrame> primaryIconFrame() const override;
    std::optional<ItemFrame> ownChromeFrame(const Uuid& handle) const override;
    async::Task<void> prepare() override;
    async::Task<std::vector<ObservedItem>> currentItems() override;
    async::Task<void> hideRegion() override;
    async::Task<void> revealRegion() override;
    async::Task<void> moveIntoHiddenRegion(ObservedItem item) override;
    async::Task<void> moveOutOfHiddenRegion(ObservedItem item) override;
    async::Task<void> press(ObservedItem item) override;
    async::Task<CaptureResult> captureSnapshot(ObservedItem item) override;
    std::shared_ptr<ChangeStream> changes() const override;
    async::Task<GhostRecoveryOutcome> recoverFromGhosts() override;
    async::Task<std::vector<BackendItemToken>>
    placeOwnChrome(std::vector<OwnChromeIcon> icons) override;

    // Scripting
    void setItems(std::vector<ObservedItem> items);
    void queueItems(std::vector<ObservedItem> items);
    void setPrimaryIconFrame(std::optional<ItemFrame> frame);
    /// Where ownChromeFrame() says the icon of `handle` stands; none forgets it.
    void setOwnChromeFrame(const Uuid& handle, std::optional<ItemFrame> frame);
    void setCaptureResult(CaptureResult result);
    void queueCaptureResult(CaptureResult result);
    void setGhostOutcome(GhostRecoveryOutcome outcome);
    void queueGhostOutcome(GhostRecoveryOutcome outcome);
    /// Only for the throwing operations; std::logic_error otherwise.
    void failNext(Operation operation, BackendError error);
    void failAlways(Operation operation, std::optional<BackendError> error);
    Gate holdNext(Operation operation);
    void onCall(std::function<void(const Call&)> observer);

    /// Sends an event down the change stream, as the menu bar would.
    void pushChange(MenuBarChangeEvent event);

    // Inspection
    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Operation> operations() const;
    std::size_t count(Operation operation) const;
    void clearCalls() { calls_.clear(); }
    /// The standing items, as moved.
    const std::vector<ObservedItem>& items() const { return items_; }
    /// The menu attached last; nullptr when none is.
    const std::shared_ptr<platform::Menu>& attachedMenu() const { return menu_; }
    /// The icons of the last successful placement.
    const std::vector<OwnChromeIcon>& placedIcons() const { return placedIcons_; }
    bool isPrepared() const { return prepared_; }

  private:
    struct Step {
        std::optional<BackendError> failure;
        std::shared_ptr<Gate::State> gate;
    };
    struct OperationScript {
        std::deque<Step> steps;
        std::optional<BackendError> standingFailure;
    };

    void record(Call call) const;
    /// Waits at a gate if one is scripted, then throws a scripted failure.
    async::Task<void> answer(Operation operation);
    void markHidden(const BackendItemToken& token, bool isInHiddenRegion);
    BackendItemToken tokenFor(const Uuid& handle);

    mutable std::vector<Call> calls_;
    std::function<void(const Call&)> observer_;
    std::map<Operation, OperationScript> scripts_;
    std::vector<ObservedItem> items_;
    std::deque<std::vector<ObservedItem>> queuedItems_;
    std::optional<ItemFrame> primaryIconFrame_;
    std::unordered_map<Uuid, ItemFrame> ownChromeFrames_;
    CaptureResult captureResult_;
    std::deque<CaptureResult> queuedCaptureResults_;
    GhostRecoveryOutcome ghostOutcome_ = GhostRecoveryOutcome::clean();
    std::deque<GhostRecoveryOutcome> queuedGhostOutcomes_;
    std::shared_ptr<platform::Menu> menu_;
    std::vector<OwnChromeIcon> placedIcons_;
    std::unordered_map<Uuid, BackendItemToken> chromeTokens_;
    std::shared_ptr<ChangeStream> changes_ = std::make_shared<ChangeStream>();
    bool prepared_ = false;
};

/// Readable names in test failure messages.
std::ostream& operator<<(std::ostream& out, ScriptedBackend::Operation operation);

} // namespace corvel::test
