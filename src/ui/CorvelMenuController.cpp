#include "ui/CorvelMenuController.h"

#include "async/Spawn.h"
#include "domain/WellKnownGroup.h"
#include "ui/InterpreterEvents.h"
#include "ui/ItemSearchWindowController.h"
#include "ui/RepairAlerts.h"
#include "ui/StripWindowController.h"

namespace corvel {

namespace {

using Action = void (CorvelMenuController::*)();

platform::MenuItem entry(const std::shared_ptr<CorvelMenuController>& controller, std::string title,
                         std::string keyEquivalent, Action action) {
    platform::MenuItem item;
    item.title = std::move(title);
    item.keyEquivalent = std::move(keyEquivalent);
    item.action = [weakController = std::weak_ptr<CorvelMenuController>(controller), action] {
        if (auto target = weakController.lock())
            ((*target).*action)();
    };
    return item;
}

} // namespace

std::shared_ptr<CorvelMenuController> CorvelMenuController::create(async::Executor& mainExecutor,
                                                                   Collaborators collaborators) {
    std::shared_ptr<CorvelMenuController> controller(
        new CorvelMenuController(mainExecutor, std::move(collaborators)));
    std::weak_ptr<CorvelMenuController> weakController = controller;
    controller->menu_->setUpdateHandler([weakController](platform::Menu& menu) {
        if (auto self = weakController.lock())
            self->menuNeedsUpdate(menu);
    });
    if (controller->collaborators_.ghostRecovery)
        controller->collaborators_.ghostRecovery->setDelegate(controller);
    return controller;
}

CorvelMenuController::CorvelMenuController(async::Executor& mainExecutor,
                                           Collaborators collaborators)
    : mainExecutor_(mainExecutor), collaborators_(std::move(collaborators)) {}

void CorvelMenuController::menuNeedsUpdate(platform::Menu& menu) {
    lastAnchorFrame_ = primaryIconFrame();
    bool showAllActive = collaborators_.interpreter->state().showAll() == ShowAllState::active;
    auto self = shared_from_this();
    menu.removeAllItems();
    menu.addItem(entry(self, "Settings\u2026", ",", &CorvelMenuController::openSettings));
    menu.addItem(platform::MenuItem::separator());
    menu.addItem(entry(self, "Find Item\u2026", "", &CorvelMenuController::findItem));
    menu.addItem(entry(self, "Hidden Group", "", &CorvelMenuController::openHiddenGroup));
    menu.addItem(entry(self, showAllActive ? "Hide All Items Now" : "Show All Items for 30 Seconds",
                       "", &CorvelMenuController::toggleShowAll));
    menu.addItem(platform::MenuItem::separator());
    menu.addItem(entry(self, "Repair Menu Bar", "", &CorvelMenuController::repairMenuBar));
    menu.addItem(platform::MenuItem::separator());
    menu.addItem(entry(self, "Quit Corvel", "q", &CorvelMenuController::quit));
}

std::optional<ItemFrame> CorvelMenuController::primaryIconFrame() const {
    return collaborators_.primaryIconFrameProvider ? collaborators_.primaryIconFrameProvider()
                                                   : std::nullopt;
}

void CorvelMenuController::openSettings() {
    if (collaborators_.showSettingsWindow)
        collaborators_.showSettingsWindow();
}

void CorvelMenuController::findItem() {
    if (collaborators_.searchController)
        collaborators_.searchController->setPendingAnchorFrame(lastAnchorFrame_);
    send(SessionState::Event::findItemRequested());
}

void CorvelMenuController::findItemFromShortcut() {
    lastAnchorFrame_ = primaryIconFrame();
    findItem();
}

void CorvelMenuController::openHiddenGroup() {
    if (!lastAnchorFrame_)
        return;
    collaborators_.stripController->setPendingAnchorFrame(lastAnchorFrame_);
    send(SessionState::Event::groupIconClicked(WellKnownGroup::hidden));
}

void CorvelMenuController::toggleShowAll() {
    bool active = collaborators_.interpreter->state().showAll() == ShowAllState::active;
    send(active ? SessionState::Event::showAllCancelledEarly()
                : SessionState::Event::showAllRequested());
}

void CorvelMenuController::repairMenuBar() {
    async::spawn(mainExecutor_, repair(collaborators_.ghostRecovery, collaborators_.alerts));
}

void CorvelMenuController::quit() {
    if (collaborators_.terminate)
        collaborators_.terminate();
}

void CorvelMenuController::ghostRecoveryCoordinator(
    GhostRecoveryCoordinator&, std::function<void(bool)> didRequireHostRestartConfirmation) {
    int answer = collaborators_.alerts->runModal(RepairAlerts::hostRestartConfirmation());
    didRequireHostRestartConfirmation(answer == platform::Alert::firstButtonReturn);
}

void CorvelMenuController::send(SessionState::Event event) {
    sendEvent(mainExecutor_, collaborators_.interpreter, std::move(event));
}

async::Task<void>
CorvelMenuController::repair(std::shared_ptr<GhostRecoveryCoordinator> ghostRecovery,
                             std::shared_ptr<platform::ModalAlerts> alerts) {
    auto repairing = ghostRecovery->repairMenuBarRequested();
    auto outcome = co_await std::move(repairing);
    if (auto alert = RepairAlerts::outcome(outcome))
        alerts->runModal(*alert);
}

} // namespace corvel
