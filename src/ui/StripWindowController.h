#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/ItemFrame.h"
#include "backend/MenuBarBackend.h"
#include "engine/GroupMembersViewModel.h"
#include "engine/SessionState.h"
#include "engine/StripEffectInterpreter.h"
#include "engine/StripEffectInterpreterDelegate.h"
#include "platform/GlobalEventMonitor.h"
#include "platform/Image.h"
#include "platform/Point.h"
#include "platform/Screens.h"
#include "platform/Workspace.h"

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

class StripPanel;
class StripRowButton;
struct StripRow;

/// Shows, fills, places and hides the Strip panel for the strip effect
/// interpreter, whose delegate it is, and turns row clicks (by the mouse or
/// the keyboard, which the panel takes when it opens), outside clicks
/// and Escape into session events. It decides nothing about when a Strip
/// opens or closes.
///
/// Main thread only; always owned by a std::shared_ptr (the interpreter holds
/// it weakly). Every event is sent from a task of its own on the main
/// executor, which returns at once when the controller is gone or has no
/// interpreter. A presentation whose rows arrive after a later open or close
/// request shows nothing, so a Strip closed while its rows were fetched does
/// not come back.
class StripWindowController final : public StripEffectInterpreterDelegate,
                                    public std::enable_shared_from_this<StripWindowController> {
  public:
    /// For a Group, whether an observed item belongs to it.
    using MembershipFactory = std::function<GroupMembersViewModel::MembershipTest(const GroupID&)>;
    /// Where the panel's top-left corner goes on Qt's screen, given its frame
    /// origin in the window system's bottom-left screen coordinates and its
    /// size. The application supplies the one mapping that fits its screens.
    using ScreenMapping =
        std::function<QPoint(const platform::Point& bottomLeftOrigin, const QSize& panelSize)>;

    /// The ports the Strip needs beyond the backend.
    struct Ports {
        std::shared_ptr<platform::Screens> screens;
        std::shared_ptr<platform::Workspace> workspace;
        std::shared_ptr<platform::GlobalEventMonitor> globalEventMonitor;
    };

    static std::shared_ptr<StripWindowController> create(async::Executor& mainExecutor,
                                                         std::shared_ptr<MenuBarBackend> backend,
                                                         MembershipFactory isMember, Ports ports,
                                                         ScreenMapping screenMapping);
    /// Takes the bottom-left origin as the top-left position unchanged; for
    /// tests, where nothing is drawn on a real screen.
    static ScreenMapping identityMapping();

    ~StripWindowController() override;
    StripWindowController(const StripWindowController&) = delete;
    StripWindowController& operator=(const StripWindowController&) = delete;

    /// Set once after construction; until then gestures are dropped.
    void setInterpreter(std::shared_ptr<StripEffectInterpreter> interpreter);

    /// The frame of the icon under which the next Strip opens; written by
    /// whoever sends the open event, kept across Strips.
    const std::optional<ItemFrame>& pendingAnchorFrame() const { return pendingAnchorFrame_; }
    void setPendingAnchorFrame(std::optional<ItemFrame> frame);

    /// The Group whose Strip was requested open last; a close keeps it.
    const std::optional<GroupID>& openGroup() const { return openGroup_; }

    /// The interpreter's item lookup: the live item behind a row of the
    /// Strip opened last, also after it has closed. Never creates a view
    /// model.
    std::optional<ObservedItem> observedItem(const ItemID& item) const;
    /// observedItem() as a lookup that holds this controller weakly.
    StripEffectInterpreter::Lookup lookup();

    StripPanel& panel() const { return *panel_; }
    bool hasOutsideClickMonitor() const { return outsideClickMonitor_.has_value(); }

    // StripEffectInterpreterDelegate
    void stripEffectInterpreter(StripEffectInterpreter& interpreter,
                                const GroupID& didRequestOpenStripFor) override;
    void stripEffectInterpreterDidRequestCloseStrip(StripEffectInterpreter& interpreter) override;

  private:
    StripWindowController(async::Executor& mainExecutor, std::shared_ptr<MenuBarBackend> backend,
                          MembershipFactory isMember, Ports ports, ScreenMapping screenMapping);

    std::shared_ptr<GroupMembersViewModel> viewModel(const GroupID& group);
    static async::Task<void> present(std::shared_ptr<StripWindowController> self, GroupID group,
                                     std::uint64_t request);
    static async::Task<void> deliver(std::weak_ptr<StripWindowController> weakSelf,
                                     SessionState::Event event);
    void send(SessionState::Event event);
    void buildContent(const GroupID& group, const std::vector<StripRow>& rows);
    StripRowButton* rowButton(const GroupID& group, const StripRow& row);
    void setRowImage(StripRowButton& button, const StripRow& row) const;
    void rowClicked(const StripRowButton& button);
    void place();
    void installOutsideClickMonitor();
    void removeOutsideClickMonitor();
    std::optional<platform::Image> appIcon(const std::string& bundleID) const;

    async::Executor& mainExecutor_;
    std::shared_ptr<StripEffectInterpreter> interpreter_;
    std::shared_ptr<MenuBarBackend> backend_;
    std::unordered_map<GroupID, std::shared_ptr<GroupMembersViewModel>> viewModelsByGroup_;
    MembershipFactory isMember_;
    Ports ports_;
    ScreenMapping screenMapping_;
    std::unique_ptr<StripPanel> panel_;
    std::optional<GroupID> openGroup_;
    std::optional<platform::GlobalEventMonitor::Token> outsideClickMonitor_;
    std::optional<ItemFrame> pendingAnchorFrame_;
    /// Counts open and close requests; a presentation shows only while its
    /// own request is still the latest.
    std::uint64_t latestRequest_ = 0;
};

} // namespace corvel
