#include "app/CorvelAppDelegate.h"

#include "async/Sleep.h"
#include "backend/BackendError.h"
#include "backend/GhostRecoveryOutcome.h"
#include "backend/MenuBarBackend.h"
#include "backend_mac26/AccessibilityPermission.h"
#include "engine/FiledItemsKeeper.h"
#include "engine/GhostRecoveryCoordinator.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "platform/ModalAlerts.h"
#include "ui/StoreAlerts.h"

#include <stdexcept>

namespace corvel::app {

namespace {

platform::Alert screenRecordingAlert() {
    return platform::Alert{
        .messageText = "Corvel needs Screen Recording on macOS 26",
        .informativeText =
            "Screen Recording lets Corvel tell your Menu Bar Items apart — macOS hides their names "
            "from other apps otherwise. Turn Corvel on in System Settings › Privacy & Security › "
            "Screen & System Audio Recording, then it will finish starting up on its own. Corvel "
            "never records anything.",
        .buttons = {"Open System Settings", "Quit Corvel"},
    };
}

const char* flag(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::shared_ptr<CorvelAppDelegate> CorvelAppDelegate::create(Services services) {
    if (!services.mainExecutor || !services.backgroundExecutor || !services.makeBackend ||
        !services.terminate || !services.alerts || !services.platform.systemLog)
        throw std::invalid_argument("CorvelAppDelegate needs every service it launches with");
    return std::shared_ptr<CorvelAppDelegate>(new CorvelAppDelegate(std::move(services)));
}

void CorvelAppDelegate::applicationDidFinishLaunching() {
    launchTask_ = async::spawn(*services_.mainExecutor, launch(shared_from_this()));
}

async::Task<void> CorvelAppDelegate::launch(std::shared_ptr<CorvelAppDelegate> self) {
    const Services& services = self->services_;
    self->backend_ = services.makeBackend();
    // The store is read here, before the backend does anything.
    self->store_ = std::make_shared<GroupStore>(
        *services.mainExecutor, *services.backgroundExecutor, services.storeURL, storeWriteDebounce,
        *services.platform.systemLog, services.wallClock,
        [weakSelf = std::weak_ptr(self)](const StoreNotice& notice) {
            if (auto delegate = weakSelf.lock())
                delegate->tellAboutStore(notice);
        });
    auto assignment = ItemAssignmentCoordinator::create(self->backend_, self->store_,
                                                        services.platform.systemLog);
    auto ghostRecovery =
        GhostRecoveryCoordinator::create(self->backend_, services.platform.environment);

    // Whatever the recovery found, launching goes on.
    auto recovery = ghostRecovery->recoverAtLaunch();
    self->logRecoveryAtLaunch(co_await std::move(recovery));

    services.platform.activation->activateIgnoringOtherApps(true);

    auto preparing = self->prepareBackend();
    const bool prepared = co_await std::move(preparing);
    if (!prepared)
        co_return;

    self->buildInterface(assignment, ghostRecovery);
    auto starting = self->startInterface();
    co_await std::move(starting);

    auto puttingBack = self->filedItemsKeeper_->putBackAtLaunch();
    co_await std::move(puttingBack);

    self->openOnboardingIfNeeded();
    self->screenRecordingWatch_ =
        async::spawn(*services.mainExecutor, watchScreenRecording(self->weak_from_this()));
}

CorvelAppDelegate::~CorvelAppDelegate() {
    screenRecordingWatch_.cancel();
}

// A restart of Control Center at launch changes the whole menu bar; it is
// said, like what it did and did not clear.
void CorvelAppDelegate::logRecoveryAtLaunch(const GhostRecoveryOutcome& outcome) const {
    auto& log = *services_.platform.systemLog;
    if (outcome.kind() == GhostRecoveryOutcome::Kind::recovered)
        log.write("Corvel: Control Center was restarted at launch to clear " +
                  std::to_string(outcome.clearedCount()) +
                  " leftover item(s) of an earlier run of Corvel");
    else if (outcome.kind() == GhostRecoveryOutcome::Kind::requiresHostRestart)
        log.write("Corvel: leftover items of an earlier run of Corvel are still in the menu bar "
                  "after a restart of Control Center at launch");
}

// Screen Recording can be withdrawn while Corvel runs. The backend then moves
// nothing; Corvel asks as it did at launch and, once granted again, puts the
// filed items back where they belong. Holds the delegate weakly; ends when
// cancelled.
async::Task<void>
CorvelAppDelegate::watchScreenRecording(std::weak_ptr<CorvelAppDelegate> weakSelf) {
    bool withdrawn = false;
    for (;;) {
        co_await async::sleepFor(prepareRetryInterval);
        const bool cancelled = co_await async::isCancelled();
        auto self = weakSelf.lock();
        if (cancelled || !self)
            co_return;
        auto& capture = *self->services_.platform.screenCapture;
        const bool granted = capture.preflightAccess();
        if (granted == !withdrawn)
            continue;
        withdrawn = !granted;
        auto& log = *self->services_.platform.systemLog;
        if (withdrawn) {
            log.write("Corvel: Screen Recording was withdrawn; Corvel moves no item until it is "
                      "granted again");
            capture.requestAccess();
            if (!self->showScreenRecordingAlert()) {
                self->services_.terminate();
                co_return;
            }
            continue;
        }
        log.write("Corvel: Screen Recording is granted again; filed items go back into the "
                  "hidden region");
        self->filedItemsKeeper_->putBack();
    }
}

async::Task<bool> CorvelAppDelegate::prepareBackend() {
    auto& capture = *services_.platform.screenCapture;
    bool alertHandled = false;
    for (;;) {
        if (!capture.preflightAccess())
            capture.requestAccess();
        std::string failure;
        try {
            auto preparing = backend_->prepare();
            co_await std::move(preparing);
            co_return true;
        } catch (const BackendError& error) {
            failure = error.text();
        } catch (const std::exception& error) {
            failure = error.what();
        }
        logPrepareFailure(failure);
        if (!alertHandled && !showScreenRecordingAlert()) {
            services_.terminate();
            co_return false;
        }
        co_await async::sleepFor(prepareRetryInterval);
        // Quitting cancels the launch; every later wait would end at once.
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return false;
        alertHandled = true;
    }
}

void CorvelAppDelegate::logPrepareFailure(const std::string& errorText) const {
    services_.platform.systemLog->write(
        "Corvel: prepare() failed at launch — " + errorText +
        "; screenRecording=" + flag(services_.platform.screenCapture->preflightAccess()) +
        " accessibility=" + flag(accessibilityTrusted()));
}

bool CorvelAppDelegate::showScreenRecordingAlert() {
    const int answer = services_.alerts->runModal(screenRecordingAlert());
    if (answer != platform::Alert::firstButtonReturn)
        return false;
    services_.platform.workspace->openURL(
        std::string(platform::Workspace::screenRecordingPrivacySettingsURL));
    return true;
}

bool CorvelAppDelegate::accessibilityTrusted() const {
    return AccessibilityPermission::isTrusted(*services_.platform.accessibility);
}

void CorvelAppDelegate::tellAboutStore(const StoreNotice& notice) {
    // Quitting goes on regardless; the log has the line.
    if (quitting_)
        return;
    services_.alerts->runModal(StoreAlerts::alert(notice));
}

async::Task<void> CorvelAppDelegate::flushStore() {
    quitting_ = true;
    if (!store_)
        co_return;
    auto writing = store_->flush();
    co_await std::move(writing);
}

} // namespace corvel::app
