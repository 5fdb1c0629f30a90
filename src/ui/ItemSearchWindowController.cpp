#include "ui/ItemSearchWindowController.h"

#include "async/Spawn.h"
#include "backend/BackendError.h"
#include "ui/InterpreterEvents.h"
#include "ui/ItemSearchListModel.h"
#include "ui/ItemSearchPanel.h"
#include "ui/RowsOrNone.h"

#include <QLineEdit>

namespace corvel {

std::shared_ptr<ItemSearchWindowController>
ItemSearchWindowController::create(async::Executor& mainExecutor,
                                   std::shared_ptr<ItemSearchViewModel> viewModel, Ports ports,
                                   FloatingPanel::ScreenMapping screenMapping) {
    std::shared_ptr<ItemSearchWindowController> controller(new ItemSearchWindowController(
        mainExecutor, std::move(viewModel), std::move(ports), std::move(screenMapping)));
    std::weak_ptr<ItemSearchWindowController> weakController = controller;
    auto& panel = *controller->panel_;
    panel.setOnTextChanged([weakController](const QString& text) {
        if (auto self = weakController.lock())
            self->textChanged(text);
    });
    panel.setOnChoose([weakController](int position) {
        if (auto self = weakController.lock())
            self->choose(position);
    });
    panel.setOnEscape([weakController] {
        if (auto self = weakController.lock())
            self->send(SessionState::Event::escapeKeyPressed());
    });
    return controller;
}

ItemSearchWindowController::ItemSearchWindowController(
    async::Executor& mainExecutor, std::shared_ptr<ItemSearchViewModel> viewModel, Ports ports,
    FloatingPanel::ScreenMapping screenMapping)
    : mainExecutor_(mainExecutor), viewModel_(std::move(viewModel)), ports_(std::move(ports)),
      screenMapping_(std::move(screenMapping)),
      listModel_(std::make_unique<ItemSearchListModel>(ports_.workspace)),
      panel_(std::make_unique<ItemSearchPanel>()), outsideClickMonitor_(ports_.globalEventMonitor) {
    panel_->setModel(listModel_.get());
}

void ItemSearchWindowController::setInterpreter(
    std::shared_ptr<StripEffectInterpreter> interpreter) {
    interpreter_ = std::move(interpreter);
}

void ItemSearchWindowController::setPendingAnchorFrame(std::optional<ItemFrame> frame) {
    pendingAnchorFrame_ = frame;
}

StripEffectInterpreter::Lookup ItemSearchWindowController::lookup() {
    return [weakSelf = weak_from_this()](const ItemID& item) -> std::optional<ObservedItem> {
        auto self = weakSelf.lock();
        return self ? self->viewModel_->observedItem(item) : std::nullopt;
    };
}

void ItemSearchWindowController::stripEffectInterpreterDidRequestOpenSearch(
    StripEffectInterpreter&) {
    async::spawn(mainExecutor_, present(shared_from_this(), ++latestRequest_));
}

void ItemSearchWindowController::stripEffectInterpreterDidRequestCloseSearch(
    StripEffectInterpreter&) {
    ++latestRequest_;
    outsideClickMonitor_.remove();
    panel_->hide();
}

// Holds the controller and the view model strongly: their refreshes must not
// outlive either. The rows show at once with the pictures known so far; the
// missing ones are captured afterwards, while the person types.
async::Task<void>
ItemSearchWindowController::present(std::shared_ptr<ItemSearchWindowController> self,
                                    std::uint64_t request) {
    auto model = self->viewModel_;
    auto refreshing = rowsOrNone(model->refreshRows());
    std::vector<ItemSearchRow> rows = co_await std::move(refreshing);
    if (request != self->latestRequest_)
        co_return;
    self->fill(std::move(rows));
    auto& panel = *self->panel_;
    FloatingPanel::place(panel, self->pendingAnchorFrame_, self->ports_.screens.get(),
                         self->screenMapping_, true);
    panel.show();
    panel.raise();
    panel.activateWindow();
    panel.field().setFocus(Qt::PopupFocusReason);
    self->outsideClickMonitor_.install([weakSelf = std::weak_ptr(self)] {
        if (auto controller = weakSelf.lock())
            controller->send(SessionState::Event::outsideClick());
    });

    bool gained = false;
    try {
        auto capturing = model->captureMissingPictures();
        gained = co_await std::move(capturing);
    } catch (const BackendError&) {
    }
    if (gained && request == self->latestRequest_)
        self->listModel_->updatePictures(model->rows());
}

void ItemSearchWindowController::fill(std::vector<ItemSearchRow> rows) {
    listModel_->setPictureStyle(panel_->palette().color(QPalette::Text),
                                panel_->devicePixelRatioF());
    listModel_->setRows(std::move(rows));
    panel_->clearText();
    textChanged(QString());
}

void ItemSearchWindowController::textChanged(const QString& text) {
    listModel_->show(viewModel_->search(text.toStdString()));
    panel_->showRows(QString::fromUtf8(text.isEmpty() ? noItemsText : noMatchesText));
}

void ItemSearchWindowController::choose(int position) {
    const ItemSearchRow* row = listModel_->rowAt(position);
    if (!row)
        return;
    viewModel_->noteUsed(row->id);
    send(SessionState::Event::itemChosenInSearch(row->id));
}

void ItemSearchWindowController::send(SessionState::Event event) {
    sendEvent(mainExecutor_, interpreter_, std::move(event));
}

} // namespace corvel
