#include "engine/GhostRecoveryCoordinator.h"

#include "async/Completion.h"
#include "backend/AllowHostRestartVariable.h"
#include "backend/MenuBarBackend.h"
#include "platform/ProcessEnvironment.h"

#include <string>
#include <utility>

namespace corvel {

namespace {

using Kind = GhostRecoveryOutcome::Kind;

async::Task<GhostRecoveryOutcome>
allowHostRestartAndRecover(std::shared_ptr<MenuBarBackend> backend,
                           std::shared_ptr<platform::ProcessEnvironment> environment) {
    environment->set(std::string(allowHostRestartVariable), "1");
    auto recovery = backend->recoverFromGhosts();
    co_return co_await std::move(recovery);
}

/// The delegate's side of a confirmation. Whoever drops it without answering
/// has declined: otherwise the repair would wait for an answer that can no
/// longer come.
class ConfirmationAnswer {
  public:
    explicit ConfirmationAnswer(std::shared_ptr<async::Completion<bool>> completion)
        : completion_(std::move(completion)) {}
    ConfirmationAnswer(const ConfirmationAnswer&) = delete;
    ConfirmationAnswer& operator=(const ConfirmationAnswer&) = delete;
    ~ConfirmationAnswer() { completion_->complete(false); }

    void give(bool confirmed) { completion_->complete(confirmed); }

  private:
    std::shared_ptr<async::Completion<bool>> completion_;
};

} // namespace

std::shared_ptr<GhostRecoveryCoordinator>
GhostRecoveryCoordinator::create(std::shared_ptr<MenuBarBackend> backend,
                                 std::shared_ptr<platform::ProcessEnvironment> environment) {
    RestartAction restart = [backend, environment] {
        return allowHostRestartAndRecover(backend, environment);
    };
    return create(std::move(backend), std::move(restart));
}

std::shared_ptr<GhostRecoveryCoordinator>
GhostRecoveryCoordinator::create(std::shared_ptr<MenuBarBackend> backend,
                                 RestartAction performConfirmedRestart) {
    return std::shared_ptr<GhostRecoveryCoordinator>(
        new GhostRecoveryCoordinator(std::move(backend), std::move(performConfirmedRestart)));
}

GhostRecoveryCoordinator::GhostRecoveryCoordinator(std::shared_ptr<MenuBarBackend> backend,
                                                   RestartAction performConfirmedRestart)
    : backend_(std::move(backend)), performConfirmedRestart_(std::move(performConfirmedRestart)) {}

void GhostRecoveryCoordinator::setDelegate(
    std::weak_ptr<GhostRecoveryCoordinatorDelegate> delegate) {
    delegate_ = std::move(delegate);
}

async::Task<GhostRecoveryOutcome> GhostRecoveryCoordinator::recoverAtLaunch() {
    return launchRecovery(shared_from_this());
}

async::Task<GhostRecoveryOutcome> GhostRecoveryCoordinator::repairMenuBarRequested() {
    return repair(shared_from_this());
}

async::Task<GhostRecoveryOutcome>
GhostRecoveryCoordinator::launchRecovery(std::shared_ptr<GhostRecoveryCoordinator> self) {
    auto recovery = self->backend_->recoverFromGhosts();
    GhostRecoveryOutcome outcome = co_await std::move(recovery);
    if (outcome.kind() != Kind::requiresHostRestart)
        co_return outcome;
    auto restart = self->performConfirmedRestart_();
    co_return co_await std::move(restart);
}

async::Task<GhostRecoveryOutcome>
GhostRecoveryCoordinator::repair(std::shared_ptr<GhostRecoveryCoordinator> self) {
    auto recovery = self->backend_->recoverFromGhosts();
    GhostRecoveryOutcome outcome = co_await std::move(recovery);
    if (outcome.kind() != Kind::requiresHostRestart)
        co_return outcome;
    auto confirmation = self->askForConfirmation();
    bool confirmed = co_await std::move(confirmation);
    if (!confirmed)
        co_return GhostRecoveryOutcome::requiresHostRestart();
    auto restart = self->performConfirmedRestart_();
    co_return co_await std::move(restart);
}

async::Task<bool> GhostRecoveryCoordinator::askForConfirmation() {
    auto delegate = delegate_.lock();
    if (!delegate)
        co_return false;
    auto completion = std::make_shared<async::Completion<bool>>();
    auto answer = std::make_shared<ConfirmationAnswer>(completion);
    // The delegate may answer right here, or keep the answer for later.
    delegate->ghostRecoveryCoordinator(*this,
                                       [answer](bool confirmed) { answer->give(confirmed); });
    answer.reset();
    delegate.reset();
    auto answered = completion->wait();
    co_return co_await answered;
}

} // namespace corvel
