#pragma once

#include "async/Executor.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "backend/MenuBarBackend.h"
#include "domain/Group.h"
#include "engine/StripEffectInterpreter.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace corvel {

class CorvelMenuController;
class StripWindowController;

/// Makes Corvel's own icons in the menu bar work: places one icon per Group
/// beside the primary icon, hangs the primary menu on the primary icon, and
/// turns clicks on Group icons, and presses of Groups' shortcuts, into
/// groupIconClicked, with the icon's frame handed to the Strip as its anchor.
///
/// Main thread only; always owned by a std::shared_ptr. The listening task
/// takes one change event at a time and waits until the interpreter has
/// handled a click before taking the next, so rapid clicks are handled in
/// order. A placement that fails is tried again every `placementRetry` until
/// one succeeds. The tasks hold the controller weakly; destroying the
/// controller cancels them.
class StatusItemController final : public std::enable_shared_from_this<StatusItemController> {
  public:
    /// `groups` in the order their icons are to be shown (the application
    /// hands them sorted by order).
    static std::shared_ptr<StatusItemController>
    create(async::Executor& mainExecutor, std::shared_ptr<MenuBarBackend> backend,
           std::shared_ptr<StripEffectInterpreter> interpreter,
           std::shared_ptr<StripWindowController> stripController, std::vector<Group> groups);

    ~StatusItemController();
    StatusItemController(const StatusItemController&) = delete;
    StatusItemController& operator=(const StatusItemController&) = delete;

    static constexpr std::chrono::seconds placementRetry{2};

    /// Starts listening, then places the icons and attaches the primary menu.
    /// A failed placement is thrown (BackendError), and tried again later.
    /// Called once, at launch; resumes on the main thread.
    async::Task<void> start();

    /// Replaces the Groups, also when the placement that follows fails, and
    /// places the icons again; the failure is thrown (BackendError), and the
    /// placement tried again later.
    async::Task<void> refreshChrome(std::vector<Group> groups);

    /// A press of the Group's shortcut: the same event as a click on its
    /// icon, so it toggles the Strip; the Strip hangs under the Group's icon
    /// where a person can see it, else under the primary icon. Returns at
    /// once; the event is sent from a task of its own.
    void groupShortcutPressed(const GroupID& group);

    const std::shared_ptr<CorvelMenuController>& menuController() const { return menuController_; }
    void setMenuController(std::shared_ptr<CorvelMenuController> menuController);

    /// Hears every item that comes into or leaves the menu bar
    /// (itemAppeared, itemDisappeared), on the main thread from the
    /// listening task; it must return at once and must not destroy the
    /// controller.
    void setOnItemsComeAndGo(std::function<void(const MenuBarChangeEvent&)> onItemsComeAndGo);

    const std::vector<Group>& groups() const { return groups_; }
    bool isListening() const { return listenTask_.valid() && !listenTask_.isDone(); }
    bool isRetryingPlacement() const { return retryTask_.valid() && !retryTask_.isDone(); }

  private:
    StatusItemController(async::Executor& mainExecutor, std::shared_ptr<MenuBarBackend> backend,
                         std::shared_ptr<StripEffectInterpreter> interpreter,
                         std::shared_ptr<StripWindowController> stripController,
                         std::vector<Group> groups);

    static async::Task<void> start(std::shared_ptr<StatusItemController> self);
    static async::Task<void> refresh(std::shared_ptr<StatusItemController> self,
                                     std::vector<Group> groups);
    static async::Task<void> placeIcons(std::shared_ptr<StatusItemController> self);
    /// placeIcons(), and on failure a retry task in place of any earlier one.
    static async::Task<void> placeOrRetry(std::shared_ptr<StatusItemController> self);
    static async::Task<void> retryPlacement(std::weak_ptr<StatusItemController> weakSelf);
    static async::Task<void> openFromShortcut(std::shared_ptr<StatusItemController> self,
                                              GroupID group);
    static async::Task<void> listen(std::weak_ptr<StatusItemController> weakSelf,
                                    std::shared_ptr<MenuBarBackend::ChangeStream> changes);
    void tellItemsComeAndGo(const MenuBarChangeEvent& event) const;
    /// For a click on a Group's icon: notes the anchor and answers the
    /// interpreter to tell; nothing for any other event.
    std::shared_ptr<StripEffectInterpreter> takeGroupIconClick(const MenuBarChangeEvent& event,
                                                               std::optional<GroupID>& group);

    async::Executor& mainExecutor_;
    std::shared_ptr<MenuBarBackend> backend_;
    std::shared_ptr<StripEffectInterpreter> interpreter_;
    std::shared_ptr<StripWindowController> stripController_;
    std::vector<Group> groups_;
    async::SpawnHandle listenTask_;
    async::SpawnHandle retryTask_;
    std::shared_ptr<CorvelMenuController> menuController_;
    std::function<void(const MenuBarChangeEvent&)> onItemsComeAndGo_;
};

} // namespace corvel
