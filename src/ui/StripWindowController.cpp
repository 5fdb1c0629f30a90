#include "ui/StripWindowController.h"

#include "async/Spawn.h"
#include "backend/BackendError.h"
#include "engine/StripRow.h"
#include "ui/PlatformImageRenderer.h"
#include "ui/StripPanel.h"
#include "ui/StripPlacement.h"
#include "ui/StripRowButton.h"
#include "ui/StripRowImageSize.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

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

StripWindowController::ScreenMapping StripWindowController::identityMapping() {
    return [](const platform::Point& origin, const QSize&) {
        return QPoint(int(std::lround(origin.x)), int(std::lround(origin.y)));
    };
}

StripWindowController::StripWindowController(async::Executor& mainExecutor,
                                             std::shared_ptr<MenuBarBackend> backend,
                                             MembershipFactory isMember, Ports ports,
                                             ScreenMapping screenMapping)
    : mainExecutor_(mainExecutor), backend_(std::move(backend)), isMember_(std::move(isMember)),
      ports_(std::move(ports)), screenMapping_(std::move(screenMapping)),
      panel_(std::make_unique<StripPanel>()) {}

StripWindowController::~StripWindowController() {
    removeOutsideClickMonitor();
}

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
    removeOutsideClickMonitor();
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
    std::vector<StripRow> rows;
    try {
        auto refreshing = model->refreshRows();
        rows = co_await std::move(refreshing);
    } catch (const BackendError&) {
        rows.clear();
    }
    if (request != self->latestRequest_)
        co_return;
    self->buildContent(group, rows);
    self->place();
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
        stack->addWidget(rowButton(group, row), 0, Qt::AlignLeft);
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
    QColor tint = button.palette().color(QPalette::ButtonText);
    qreal ratio = panel_->devicePixelRatioF();
    if (row.iconPNG) {
        const auto& bytes = *row.iconPNG;
        QImage snapshot = QImage::fromData(bytes.data(), int(bytes.size()), "PNG");
        auto size = snapshot.isNull()
                        ? std::nullopt
                        : StripRowImageSize::forSnapshot(snapshot.width(), snapshot.height());
        if (size) {
            QSizeF points(size->width, size->height);
            button.setIcon(PlatformImageRenderer::templatePixmap(snapshot, points, tint, ratio));
            button.setIconSize(points.toSize());
            return;
        }
    }
    auto icon = appIcon(row.bundleID);
    if (!icon)
        return;
    QPixmap pixmap = PlatformImageRenderer::pixmap(*icon, tint, ratio);
    if (pixmap.isNull())
        return;
    button.setIcon(pixmap);
    button.setIconSize(QSizeF(icon->size().width, icon->size().height).toSize());
}

void StripWindowController::rowClicked(const StripRowButton& button) {
    if (!button.itemID() || !button.group())
        return;
    send(SessionState::Event::itemClickedInStrip(*button.itemID(), *button.group()));
}

void StripWindowController::place() {
    std::optional<double> screenHeight;
    if (ports_.screens) {
        if (auto frame = ports_.screens->mainScreenFrame())
            screenHeight = frame->size.height;
    }
    auto origin = StripPlacement::frameOrigin(pendingAnchorFrame_, screenHeight, panel_->height());
    if (origin) {
        panel_->move(screenMapping_(*origin, panel_->size()));
        return;
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        panel_->move(area.center() - QPoint(panel_->width() / 2, panel_->height() / 2));
    }
}

void StripWindowController::installOutsideClickMonitor() {
    // Switching Groups opens a Strip without closing the last one first.
    removeOutsideClickMonitor();
    if (!ports_.globalEventMonitor)
        return;
    outsideClickMonitor_ = ports_.globalEventMonitor->addGlobalMonitor(
        platform::GlobalEventMonitor::leftMouseDownMask |
            platform::GlobalEventMonitor::rightMouseDownMask,
        [weakSelf = weak_from_this()](const platform::MonitoredEvent&) {
            if (auto self = weakSelf.lock())
                self->send(SessionState::Event::outsideClick());
        });
}

void StripWindowController::removeOutsideClickMonitor() {
    if (outsideClickMonitor_ && ports_.globalEventMonitor)
        ports_.globalEventMonitor->removeMonitor(*outsideClickMonitor_);
    outsideClickMonitor_.reset();
}

std::optional<platform::Image> StripWindowController::appIcon(const std::string& bundleID) const {
    if (!ports_.workspace)
        return std::nullopt;
    auto applications = ports_.workspace->runningApplicationsWithBundleIdentifier(bundleID);
    if (applications.empty())
        return std::nullopt;
    return applications.front().icon;
}

} // namespace corvel
