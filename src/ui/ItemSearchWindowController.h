#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/ItemFrame.h"
#include "engine/ItemSearchDelegate.h"
#include "engine/ItemSearchViewModel.h"
#include "engine/StripEffectInterpreter.h"
#include "platform/GlobalEventMonitor.h"
#include "platform/Screens.h"
#include "platform/Workspace.h"
#include "ui/FloatingPanel.h"
#include "ui/OutsideClickMonitor.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace corvel {

class ItemSearchListModel;
class ItemSearchPanel;

/// Shows, fills, places and hides the item search for the strip effect
/// interpreter, whose search delegate it is: the panel opens under the
/// primary icon with every item of the menu bar, each keystroke shows what
/// the text finds, and choosing a row, Escape and outside clicks become
/// session events. It decides nothing about when the search opens or closes.
///
/// Main thread only; always owned by a std::shared_ptr (the interpreter holds
/// it weakly). Events are sent from tasks of their own on the main executor.
/// A presentation whose rows arrive after a later open or close request
/// shows nothing.
class ItemSearchWindowController final
    : public ItemSearchDelegate,
      public std::enable_shared_from_this<ItemSearchWindowController> {
  public:
    /// The ports the search needs.
    struct Ports {
        std::shared_ptr<platform::Screens> screens;
        std::shared_ptr<platform::Workspace> workspace;
        std::shared_ptr<platform::GlobalEventMonitor> globalEventMonitor;
    };

    static constexpr const char* noItemsText = "No Items in the Menu Bar";
    static constexpr const char* noMatchesText = "No Matching Items";

    static std::shared_ptr<ItemSearchWindowController>
    create(async::Executor& mainExecutor, std::shared_ptr<ItemSearchViewModel> viewModel,
           Ports ports, FloatingPanel::ScreenMapping screenMapping);
    ~ItemSearchWindowController() override = default;
    ItemSearchWindowController(const ItemSearchWindowController&) = delete;
    ItemSearchWindowController& operator=(const ItemSearchWindowController&) = delete;

    /// Set once after construction; until then gestures are dropped.
    void setInterpreter(std::shared_ptr<StripEffectInterpreter> interpreter);

    /// The primary icon's frame, under which the next search opens; written
    /// by whoever sends the open event.
    void setPendingAnchorFrame(std::optional<ItemFrame> frame);

    /// The interpreter's item lookup for the rows of the search, also after
    /// it has closed; holds this controller weakly.
    StripEffectInterpreter::Lookup lookup();

    ItemSearchPanel& panel() const { return *panel_; }
    bool hasOutsideClickMonitor() const { return outsideClickMonitor_.isInstalled(); }

    // ItemSearchDelegate
    void stripEffectInterpreterDidRequestOpenSearch(StripEffectInterpreter& interpreter) override;
    void stripEffectInterpreterDidRequestCloseSearch(StripEffectInterpreter& interpreter) override;

  private:
    ItemSearchWindowController(async::Executor& mainExecutor,
                               std::shared_ptr<ItemSearchViewModel> viewModel, Ports ports,
                               FloatingPanel::ScreenMapping screenMapping);

    static async::Task<void> present(std::shared_ptr<ItemSearchWindowController> self,
                                     std::uint64_t request);
    void fill(std::vector<ItemSearchRow> rows);
    void textChanged(const QString& text);
    void choose(int position);
    void send(SessionState::Event event);

    async::Executor& mainExecutor_;
    std::shared_ptr<ItemSearchViewModel> viewModel_;
    std::shared_ptr<StripEffectInterpreter> interpreter_;
    Ports ports_;
    FloatingPanel::ScreenMapping screenMapping_;
    /// Declared before the panel, whose list shows it, so that it outlives
    /// the panel.
    std::unique_ptr<ItemSearchListModel> listModel_;
    std::unique_ptr<ItemSearchPanel> panel_;
    OutsideClickMonitor outsideClickMonitor_;
    std::optional<ItemFrame> pendingAnchorFrame_;
    /// Counts open and close requests; a presentation shows only while its
    /// own request is still the latest.
    std::uint64_t latestRequest_ = 0;
};

} // namespace corvel
