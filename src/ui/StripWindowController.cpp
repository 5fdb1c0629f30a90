#include "ui/StripWindowController.h"

#include "async/Spawn.h"
#include "engine/StripRow.h"
#include "ui/ItemPicture.h"
#include "ui/RowsOrNone.h"
#include "ui/StripPanel.h"
#include "ui/StripRowButton.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace corvel {

namespace {

constexpr int stackSpacing = 2;
constexpr int stackInset = 8;
constexpr int minimumContentWidth = 200;
constexpr int minimumContentHeight = 32;
const char* const emptyText = "No Items in this Group";

} // namespace

std::shared_ptr<StripWindowController>
StripWindowController::create(async::Executor& mainExecutor,
                              std::shared_ptr<MenuBarBackend> backend, MembershipFactory isMember,
                              Ports ports, ScreenMapping screenMapping) {
    std::shared_ptr<StripWindowController> controller(
        new StripWindowController(mainExecutor, std::move(backend), std::move(isMember),
                                  std::move(ports), std::move(screenMapping)));
    controller->panel_->setOnEscape([weakSelf = std::weak_ptr<StripWindowController>(controller)] {
        if (auto self = weakSelf.lock())
            self->send(SessionState::Event::escapeKeyPressed());
    });
    return controller;
}

StripWindowController::StripWindowController(async::Executor& mainExecutor,
                                             std::shared_ptr<MenuBarBackend> backend,
                                             MembershipFactory isMember, Ports ports,
                                             ScreenMapping screenMapping)
    : mainExecutor_(mainExecutor), backend_(std::move(backend)), isMember_(std::move(isMember)),
      ports_(std::move(ports)), screenMapping_(std::move(screenMapping)),
      panel_(std::make_unique<StripPanel>()), outsideClickMonitor_(ports_.globalEventMonitor) {}

void StripWindowController::setInterpreter(std::shared_ptr<StripEffectInterpreter> interpreter) {
    interpreter_ = std::move(interpreter);
}

void StripWindowController::setPendingAnchorFrame(std::optional<ItemFrame> frame) {
    pendingAnchorFrame_ = frame;
}

std::optional<ObservedItem> StripWindowController::observedItem(const ItemID& item) const {
    if (!openGroup_)
        return std::nullopt;
    auto found = viewModelsByGroup_.find(*openGroup_);
    if (found == viewModelsByGroup_.end())
        return std::nullopt;
    return found->second->observedItem(item);
}

StripEffectInterpreter::Lookup StripWindowController::lookup() {
    return [weakSelf = weak_from_this()](const ItemID& item) -> std::optional<ObservedItem> {
        auto self = weakSelf.lock();
        return self ? self->observedItem(item) : std::nullopt;
    };
}

void StripWindowController::stripEffectInterpreter(StripEffectInterpreter&,
                                                   const GroupID& didRequestOpenStripFor) {
    openGroup_ = didRequestOpenStripFor;
    async::spawn(mainExecutor_,
                 present(shared_from_this(), didRequestOpenStripFor, ++latestRequest_));
}

void StripWindowController::stripEffectInterpreterDidRequestCloseStrip(StripEffectInterpreter&) {
    ++latestRequest_;
    outsideClickMonitor_.remove();
    panel_->hide();
}

std::shared_ptr<GroupMembersViewModel> StripWindowController::viewModel(const GroupID& group) {
    auto found = viewModelsByGroup_.find(group);
    if (found != viewModelsByGroup_.end())
        return found->second;
    auto model = GroupMembersViewModel::create(backend_, isMember_(group));
    viewModelsByGroup_.emplace(group, model);
    return model;
}

// Holds the controller and the view model strongly: the view model's refresh
// must not outlive either.
async::Task<void> StripWindowController::present(std::shared_ptr<StripWindowController> self,
                                                 GroupID group, std::uint64_t request) {
    auto model = self->viewModel(group);
    auto refreshing = rowsOrNone(model->refreshRows());
    const std::vector<StripRow> rows = co_await std::move(refreshing);
    if (request != self->latestRequest_)
        co_return;
    self->buildContent(group, rows);
    FloatingPanel::place(*self->panel_, self->pendingAnchorFrame_, self->ports_.screens.get(),
                         self->screenMapping_);
    self->panel_->show();
    self->panel_->raise();
    self->panel_->activateWindow();
    self->panel_->focusFirstRow();
    self->installOutsideClickMonitor();
}

async::Task<void> StripWindowController::deliver(std::weak_ptr<StripWindowController> weakSelf,
                                                 SessionState::Event event) {
    std::shared_ptr<StripEffectInterpreter> interpreter;
    if (auto self = weakSelf.lock())
        interpreter = self->interpreter_;
    if (!interpreter)
        co_return;
    auto handling = interpreter->handle(std::move(event));
    co_await std::move(handling);
}

void StripWindowController::send(SessionState::Event event) {
    async::spawn(mainExecutor_, deliver(weak_from_this(), std::move(event)));
}

void StripWindowController::buildContent(const GroupID& group, const std::vector<StripRow>& rows) {
    auto* content = new QWidget;
    auto* stack = new QVBoxLayout(content);
    stack->setSpacing(stackSpacing);
    stack->setContentsMargins(stackInset, stackInset, stackInset, stackInset);
    if (rows.empty()) {
        auto* label = new QLabel(QString::fromUtf8(emptyText));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
        label->setPalette(palette);
        stack->addWidget(label, 0, Qt::AlignLeft);
    }
    for (const auto& row : rows)
        stack->addWidget(rowButton(group, row));
    panel_->setContent(content);

    QSize fitting = content->sizeHint();
    panel_->setFixedSize(std::max(minimumContentWidth, fitting.width()),
                         std::max(minimumContentHeight, fitting.height()));
}

StripRowButton* StripWindowController::rowButton(const GroupID& group, const StripRow& row) {
    auto* button = new StripRowButton(QString::fromStdString(row.displayName));
    button->setRow(row.id, group);
    setRowImage(*button, row);
    QObject::connect(button, &QToolButton::clicked, [weakSelf = weak_from_this(), button] {
        if (auto self = weakSelf.lock())
            self->rowClicked(*button);
    });
    return button;
}

void StripWindowController::setRowImage(StripRowButton& button, const StripRow& row) const {
    auto picture =
        ItemPicture::of(row.iconPNG, row.bundleID, ports_.workspace.get(),
                        button.palette().color(QPalette::ButtonText), panel_->devicePixelRatioF());
    if (!picture)
        return;
    button.setIcon(picture->pixmap);
    button.setIconSize(picture->size);
}

void StripWindowController::rowClicked(const StripRowButton& button) {
    if (!button.itemID() || !button.group())
        return;
    send(SessionState::Event::itemClickedInStrip(*button.itemID(), *button.group()));
}

void StripWindowController::installOutsideClickMonitor() {
    // Switching Groups opens a Strip without closing the last one first; the
    // monitor replaces its predecessor.
    outsideClickMonitor_.install([weakSelf = weak_from_this()] {
        if (auto self = weakSelf.lock())
            self->send(SessionState::Event::outsideClick());
    });
}

} // namespace corvel
