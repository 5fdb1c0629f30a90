#include "support/ScriptedBackend.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace corvel::test {

namespace {

using Operation = ScriptedBackend::Operation;

bool neverThrows(Operation operation) {
    return operation == Operation::attachPrimaryIconMenu ||
           operation == Operation::primaryIconFrame || operation == Operation::ownChromeFrame ||
           operation == Operation::captureSnapshot || operation == Operation::recoverFromGhosts;
}

template <class T> T nextAnswer(std::deque<T>& queued, const T& standing) {
    if (queued.empty())
        return standing;
    T next = std::move(queued.front());
    queued.pop_front();
    return next;
}

} // namespace

// Gate

void ScriptedBackend::Gate::open() {
    state_->release.complete(std::nullopt);
}

void ScriptedBackend::Gate::fail(BackendError error) {
    state_->release.complete(std::move(error));
}

bool ScriptedBackend::Gate::isReached() const {
    return state_->reached;
}

// Construction

ScriptedBackend::ScriptedBackend()
    : captureResult_(CaptureResult::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen)) {}

// MenuBarBackend

void ScriptedBackend::attachPrimaryIconMenu(std::shared_ptr<platform::Menu> menu) {
    record({Operation::attachPrimaryIconMenu, std::nullopt, {}, menu});
    menu_ = std::move(menu);
}

std::optional<ItemFrame> ScriptedBackend::primaryIconFrame() const {
    record({Operation::primaryIconFrame, std::nullopt, {}, nullptr});
    return primaryIconFrame_;
}

std::optional<ItemFrame> ScriptedBackend::ownChromeFrame(const Uuid& handle) const {
    record({Operation::ownChromeFrame, std::nullopt, {}, nullptr});
    auto found = ownChromeFrames_.find(handle);
    return found == ownChromeFrames_.end() ? std::nullopt : std::optional(found->second);
}

async::Task<void> ScriptedBackend::prepare() {
    record({Operation::prepare, std::nullopt, {}, nullptr});
    co_await answer(Operation::prepare);
    prepared_ = true;
}

async::Task<std::vector<ObservedItem>> ScriptedBackend::currentItems() {
    record({Operation::currentItems, std::nullopt, {}, nullptr});
    co_await answer(Operation::currentItems);
    co_return nextAnswer(queuedItems_, items_);
}

async::Task<void> ScriptedBackend::hideRegion() {
    record({Operation::hideRegion, std::nullopt, {}, nullptr});
    co_await answer(Operation::hideRegion);
}

async::Task<void> ScriptedBackend::revealRegion() {
    record({Operation::revealRegion, std::nullopt, {}, nullptr});
    co_await answer(Operation::revealRegion);
}

async::Task<void> ScriptedBackend::moveIntoHiddenRegion(ObservedItem item) {
    record({Operation::moveIntoHiddenRegion, item, {}, nullptr});
    co_await answer(Operation::moveIntoHiddenRegion);
    markHidden(item.id, true);
}

async::Task<void> ScriptedBackend::moveOutOfHiddenRegion(ObservedItem item) {
    record({Operation::moveOutOfHiddenRegion, item, {}, nullptr});
    co_await answer(Operation::moveOutOfHiddenRegion);
    markHidden(item.id, false);
}

async::Task<void> ScriptedBackend::press(ObservedItem item) {
    record({Operation::press, std::move(item), {}, nullptr});
    co_await answer(Operation::press);
}

async::Task<CaptureResult> ScriptedBackend::captureSnapshot(ObservedItem item) {
    record({Operation::captureSnapshot, std::move(item), {}, nullptr});
    co_await answer(Operation::captureSnapshot);
    co_return nextAnswer(queuedCaptureResults_, captureResult_);
}

std::shared_ptr<MenuBarBackend::ChangeStream> ScriptedBackend::changes() const {
    return changes_;
}

async::Task<GhostRecoveryOutcome> ScriptedBackend::recoverFromGhosts() {
    record({Operation::recoverFromGhosts, std::nullopt, {}, nullptr});
    co_await answer(Operation::recoverFromGhosts);
    co_return nextAnswer(queuedGhostOutcomes_, ghostOutcome_);
}

async::Task<std::vector<BackendItemToken>>
ScriptedBackend::placeOwnChrome(std::vector<OwnChromeIcon> icons) {
    record({Operation::placeOwnChrome, std::nullopt, icons, nullptr});
    co_await answer(Operation::placeOwnChrome);
    std::vector<BackendItemToken> tokens;
    for (const auto& icon : icons)
        tokens.push_back(tokenFor(icon.handle));
    placedIcons_ = std::move(icons);
    co_return tokens;
}

// Scripting

void ScriptedBackend::setItems(std::vector<ObservedItem> items) {
    items_ = std::move(items);
}

void ScriptedBackend::queueItems(std::vector<ObservedItem> items) {
    queuedItems_.push_back(std::move(items));
}

void ScriptedBackend::setPrimaryIconFrame(std::optional<ItemFrame> frame) {
    primaryIconFrame_ = frame;
}

void ScriptedBackend::setOwnChromeFrame(const Uuid& handle, std::optional<ItemFrame> frame) {
    if (frame)
        ownChromeFrames_[handle] = *frame;
    else
        ownChromeFrames_.erase(handle);
}

void ScriptedBackend::setCaptureResult(CaptureResult result) {
    captureResult_ = std::move(result);
}

void ScriptedBackend::queueCaptureResult(CaptureResult result) {
    queuedCaptureResults_.push_back(std::move(result));
}

void ScriptedBackend::setGhostOutcome(GhostRecoveryOutcome outcome) {
    ghostOutcome_ = outcome;
}

void ScriptedBackend::queueGhostOutcome(GhostRecoveryOutcome outcome) {
    queuedGhostOutcomes_.push_back(outcome);
}

void ScriptedBackend::failNext(Operation operation, BackendError error) {
    if (neverThrows(operation))
        throw std::logic_error("ScriptedBackend: this operation never fails");
    scripts_[operation].steps.push_back({std::move(error), nullptr});
}

void ScriptedBackend::failAlways(Operation operation, std::optional<BackendError> error) {
    if (error && neverThrows(operation)) {
        throw std::logic_error("ScriptedBackend: this operation never fails");
    }
    scripts_[operation].standingFailure = std::move(error);
}

ScriptedBackend::Gate ScriptedBackend::holdNext(Operation operation) {
    Gate gate;
    scripts_[operation].steps.push_back({std::nullopt, gate.state_});
    return gate;
}

void ScriptedBackend::onCall(std::function<void(const Call&)> observer) {
    observer_ = std::move(observer);
}

void ScriptedBackend::pushChange(MenuBarChangeEvent event) {
    changes_->send(std::move(event));
}

// Inspection

std::vector<Operation> ScriptedBackend::operations() const {
    std::vector<Operation> result;
    for (const auto& call : calls_)
        result.push_back(call.operation);
    return result;
}

std::size_t ScriptedBackend::count(Operation operation) const {
    return static_cast<std::size_t>(
        std::count_if(calls_.begin(), calls_.end(),
                      [operation](const Call& c) { return c.operation == operation; }));
}

// Private

void ScriptedBackend::record(Call call) const {
    calls_.push_back(std::move(call));
    // A copy, because the observer may call into this backend and grow the log.
    if (observer_)
        observer_(Call(calls_.back()));
}

async::Task<void> ScriptedBackend::answer(Operation operation) {
    auto& script = scripts_[operation];
    Step step{script.standingFailure, nullptr};
    if (!script.steps.empty()) {
        step = std::move(script.steps.front());
        script.steps.pop_front();
    }
    if (step.gate) {
        std::shared_ptr<Gate::State> gate = step.gate;
        gate->reached = true;
        auto released = gate->release.wait();
        std::optional<BackendError> failure = co_await released;
        if (failure)
            step.failure = std::move(failure);
    }
    if (step.failure && neverThrows(operation)) {
        throw std::logic_error("ScriptedBackend: a gate failed an operation that never fails");
    }
    if (step.failure)
        throw *step.failure;
}

void ScriptedBackend::markHidden(const BackendItemToken& token, bool isInHiddenRegion) {
    for (auto& item : items_) {
        if (item.id == token)
            item.isInHiddenRegion = isInHiddenRegion;
    }
}

BackendItemToken ScriptedBackend::tokenFor(const Uuid& handle) {
    auto [entry, inserted] = chromeTokens_.try_emplace(handle, BackendItemToken(Uuid::random()));
    return entry->second;
}

std::ostream& operator<<(std::ostream& out, Operation operation) {
    static constexpr const char* names[] = {
        "attachPrimaryIconMenu",
        "primaryIconFrame",
        "prepare",
        "currentItems",
        "hideRegion",
        "revealRegion",
        "moveIntoHiddenRegion",
        "moveOutOfHiddenRegion",
        "press",
        "captureSnapshot",
        "recoverFromGhosts",
        "placeOwnChrome",
        "ownChromeFrame",
    };
    return out << names[static_cast<int>(operation)];
}

} // namespace corvel::test
