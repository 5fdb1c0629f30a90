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

// Changes announced within one frame make one look.
constexpr std::chrono::milliseconds refreshDelay(16);

bool holdsCommand(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

DesktopView::DesktopView(async::Executor& loop, std::shared_ptr<sim::SimulatedDesktop> desktop,
                         sim::Scenario::Screen screen, std::int32_t selfPid, ScreenMapping mapping)
    : loop_(loop), desktop_(std::move(desktop)), screen_(screen), selfPid_(selfPid),
      mapping_(mapping) {
    setWindowTitle("Corvel — simulated macOS 26 desktop");
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(static_cast<int>(std::lround(screen_.width * mapping_.scale)),
                 static_cast<int>(std::lround(screen_.height * mapping_.scale)));
    move(mapping_.origin.toPoint());
    shown_ = scene();
    watchClock();
    desktop_->setChangeListener([this] { scheduleRefresh(); });
}

DesktopView::~DesktopView() {
    desktop_->setChangeListener(nullptr);
    refresh_.cancel();
    clock_.cancel();
}

DesktopScene DesktopView::scene() const {
    return DesktopScene::of(*desktop_, screen_, selfPid_);
}

void DesktopView::scheduleRefresh() {
    if (refreshScheduled_)
        return;
    refreshScheduled_ = true;
    refresh_ = loop_.after(refreshDelay, [this] {
        refreshScheduled_ = false;
        refreshIfChanged();
    });
}

void DesktopView::refreshIfChanged() {
    if (!look())
        return;
    update();
    // A change may go on without a word from the desktop (an item drifting
    // into place): look again until a look finds nothing new.
    scheduleRefresh();
}

bool DesktopView::look() {
    DesktopScene now = scene();
    if (now.looksLike(shown_))
        return false;
    if (now.clockText != shown_.clockText)
        watchClock();
    shown_ = std::move(now);
    return true;
}

// The desktop does not announce the time passing; the clock's item changes
// when the minute of the desktop's wall clock turns, and only then.
void DesktopView::watchClock() {
    clock_.cancel();
    const auto wall = desktop_->now().time_since_epoch();
    const auto turn = std::chrono::floor<std::chrono::minutes>(wall) + std::chrono::minutes(1);
    clockWatched_ = true;
    clock_ = loop_.after(std::chrono::ceil<async::Duration>(turn - wall), [this] {
        clockWatched_ = false;
        refreshIfChanged();
        // A look that found the minute turned watches the next one already.
        if (!clockWatched_)
            watchClock();
    });
}

void DesktopView::paintEvent(QPaintEvent*) {
    look();
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
