#include "ui/StatusItemController.h"

#include "async/Sleep.h"
#include "engine/ChromeBlockPlanner.h"
#include "platform/Menu.h"
#include "ui/CorvelMenuController.h"
#include "ui/ShortcutStripAnchor.h"
#include "ui/StripWindowController.h"

namespace corvel {

std::shared_ptr<StatusItemController>
StatusItemController::create(async::Executor& mainExecutor, std::shared_ptr<MenuBarBackend> backend,
                             std::shared_ptr<StripEffectInterpreter> interpreter,
                             std::shared_ptr<StripWindowController> stripController,
                             std::vector<Group> groups) {
    return std::shared_ptr<StatusItemController>(
        new StatusItemController(mainExecutor, std::move(backend), std::move(interpreter),
                                 std::move(stripController), std::move(groups)));
}

StatusItemController::StatusItemController(async::Executor& mainExecutor,
                                           std::shared_ptr<MenuBarBackend> backend,
                                           std::shared_ptr<StripEffectInterpreter> interpreter,
                                           std::shared_ptr<StripWindowController> stripController,
                                           std::vector<Group> groups)
    : mainExecutor_(mainExecutor), backend_(std::move(backend)),
      interpreter_(std::move(interpreter)), stripController_(std::move(stripController)),
      groups_(std::move(groups)) {}

StatusItemController::~StatusItemController() {
    listenTask_.cancel();
    retryTask_.cancel();
}

void StatusItemController::setMenuController(std::shared_ptr<CorvelMenuController> menuController) {
    menuController_ = std::move(menuController);
}

void StatusItemController::setOnItemsComeAndGo(
    std::function<void(const MenuBarChangeEvent&)> onItemsComeAndGo) {
    onItemsComeAndGo_ = std::move(onItemsComeAndGo);
}

async::Task<void> StatusItemController::start() {
    return start(shared_from_this());
}

async::Task<void> StatusItemController::refreshChrome(std::vector<Group> groups) {
    return refresh(shared_from_this(), std::move(groups));
}

// Listening comes first: clicks on icons placed by a later retry must find
// a listener, and the events meanwhile must not pile up.
async::Task<void> StatusItemController::start(std::shared_ptr<StatusItemController> self) {
    // The change stream has one consumer: a second start must not add one.
    self->listenTask_.cancel();
    self->listenTask_ = async::spawn(self->mainExecutor_,
                                     listen(self->weak_from_this(), self->backend_->changes()));
    auto placing = placeOrRetry(self);
    co_await std::move(placing);
}

async::Task<void> StatusItemController::refresh(std::shared_ptr<StatusItemController> self,
                                                std::vector<Group> groups) {
    self->groups_ = std::move(groups);
    auto placing = placeOrRetry(self);
    co_await std::move(placing);
}

async::Task<void> StatusItemController::placeOrRetry(std::shared_ptr<StatusItemController> self) {
    // A placement of its own supersedes a retry that is waiting.
    self->retryTask_.cancel();
    try {
        auto placing = placeIcons(self);
        co_await std::move(placing);
    } catch (...) {
        self->retryTask_ =
            async::spawn(self->mainExecutor_, retryPlacement(self->weak_from_this()));
        throw;
    }
}

async::Task<void>
StatusItemController::retryPlacement(std::weak_ptr<StatusItemController> weakSelf) {
    for (;;) {
        co_await async::sleepFor(placementRetry);
        const bool cancelled = co_await async::isCancelled();
        auto self = weakSelf.lock();
        if (cancelled || !self)
            co_return;
        try {
            auto placing = placeIcons(self);
            co_await std::move(placing);
            co_return;
        } catch (const std::exception&) {
            // Tried again after the next wait.
        }
    }
}

void StatusItemController::groupShortcutPressed(const GroupID& group) {
    async::spawn(mainExecutor_, openFromShortcut(shared_from_this(), group));
}

async::Task<void> StatusItemController::openFromShortcut(std::shared_ptr<StatusItemController> self,
                                                         GroupID group) {
    const auto& backend = *self->backend_;
    self->stripController_->setPendingAnchorFrame(ShortcutStripAnchor::anchor(
        backend.ownChromeFrame(group.rawValue()), backend.primaryIconFrame()));
    auto handling = self->interpreter_->handle(SessionState::Event::groupIconClicked(group));
    co_await std::move(handling);
}

async::Task<void> StatusItemController::placeIcons(std::shared_ptr<StatusItemController> self) {
    auto placing = self->backend_->placeOwnChrome(ChromeBlockPlanner::icons(self->groups_));
    co_await std::move(placing);
    self->backend_->attachPrimaryIconMenu(self->menuController_ ? self->menuController_->menu()
                                                                : nullptr);
}

async::Task<void>
StatusItemController::listen(std::weak_ptr<StatusItemController> weakSelf,
                             std::shared_ptr<MenuBarBackend::ChangeStream> changes) {
    if (weakSelf.expired())
        co_return;
    while (true) {
        auto receiving = changes->receive();
        auto event = co_await receiving;
        if (!event)
            co_return;
        std::optional<GroupID> group;
        std::shared_ptr<StripEffectInterpreter> interpreter;
        auto self = weakSelf.lock();
        if (!self)
            co_return;
        self->tellItemsComeAndGo(*event);
        interpreter = self->takeGroupIconClick(*event, group);
        self.reset();
        if (!group)
            continue;
        auto handling = interpreter->handle(SessionState::Event::groupIconClicked(*group));
        co_await std::move(handling);
    }
}

void StatusItemController::tellItemsComeAndGo(const MenuBarChangeEvent& event) const {
    const auto kind = event.kind();
    if (onItemsComeAndGo_ && (kind == MenuBarChangeEvent::Kind::itemAppeared ||
                              kind == MenuBarChangeEvent::Kind::itemDisappeared))
        onItemsComeAndGo_(event);
}

std::shared_ptr<StripEffectInterpreter>
StatusItemController::takeGroupIconClick(const MenuBarChangeEvent& event,
                                         std::optional<GroupID>& group) {
    if (event.kind() != MenuBarChangeEvent::Kind::ownChromeClicked)
        return nullptr;
    group = ChromeBlockPlanner::groupID(event.handle(), groups_);
    if (!group)
        return nullptr;
    stripController_->setPendingAnchorFrame(event.screenFrame());
    return interpreter_;
}

} // namespace corvel
