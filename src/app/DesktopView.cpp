#include "app/DesktopView.h"

#include "app/DesktopPainter.h"
#include "app/PersonKeyboard.h"
#include "sim/SimulatedDesktop.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <chrono>
#include <cmath>

namespace corvel::app {

namespace {

// The desktop changes through work on the main loop, which schedules a look
// when it has run (see scheduleRefresh); this slow look catches what only a
// background thread changed.
constexpr std::chrono::milliseconds watchInterval(1000);
// Looks that are asked for within one frame make one.
constexpr std::chrono::milliseconds refreshDelay(16);

bool holdsCommand(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

DesktopView::DesktopView(std::shared_ptr<sim::SimulatedDesktop> desktop,
                         sim::Scenario::Screen screen, std::int32_t selfPid, ScreenMapping mapping)
    : desktop_(std::move(desktop)), screen_(screen), selfPid_(selfPid), mapping_(mapping) {
    setWindowTitle("Corvel — simulated macOS 26 desktop");
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(static_cast<int>(std::lround(screen_.width * mapping_.scale)),
                 static_cast<int>(std::lround(screen_.height * mapping_.scale)));
    move(mapping_.origin.toPoint());
    shown_ = scene();
    watch_.setInterval(watchInterval);
    QObject::connect(&watch_, &QTimer::timeout, this, [this] { refreshIfChanged(); });
    watch_.start();
}

DesktopScene DesktopView::scene() const {
    return DesktopScene::of(*desktop_, screen_, selfPid_);
}

void DesktopView::scheduleRefresh() {
    if (refreshScheduled_)
        return;
    refreshScheduled_ = true;
    QTimer::singleShot(refreshDelay, this, [this] {
        refreshScheduled_ = false;
        refreshIfChanged();
    });
}

void DesktopView::refreshIfChanged() {
    DesktopScene now = scene();
    if (now.looksLike(shown_))
        return;
    shown_ = std::move(now);
    update();
}

void DesktopView::paintEvent(QPaintEvent*) {
    shown_ = scene();
    QPainter painter(this);
    painter.scale(mapping_.scale, mapping_.scale);
    DesktopPainter::paint(painter, shown_, mapping_.scale * devicePixelRatioF());
}

platform::Point DesktopView::simulatedPoint(const QPointF& local) const {
    return {local.x() / mapping_.scale, local.y() / mapping_.scale};
}

void DesktopView::mousePressEvent(QMouseEvent* event) {
    const auto point = simulatedPoint(event->position());
    if (event->button() == Qt::LeftButton && holdsCommand(event->modifiers())) {
        dragStart_ = point;
        return;
    }
    // Menus open on the press, as on a Mac.
    desktop_->click(point, event->button() == Qt::RightButton ? platform::MouseButton::right
                                                              : platform::MouseButton::left);
    refreshIfChanged();
}

void DesktopView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragStart_ || event->button() != Qt::LeftButton)
        return;
    const auto from = *dragStart_;
    dragStart_.reset();
    desktop_->commandDrag(from, simulatedPoint(event->position()));
    refreshIfChanged();
}

void DesktopView::keyPressEvent(QKeyEvent* event) {
    if (const auto key = PersonKeyboard::macKey(*event)) {
        desktop_->pressKey(key->keyCode, key->modifierFlags);
        refreshIfChanged();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace corvel::app
