#pragma once

#include "app/DesktopScene.h"
#include "app/ScreenMapping.h"
#include "async/Executor.h"
#include "platform/Point.h"

#include <QWidget>
#include <memory>
#include <optional>

namespace corvel::sim {
class SimulatedDesktop;
}

namespace corvel::app {

/// The window that shows the simulated display: its wallpaper, menu bar and
/// open menus, at the place and scale the screen mapping gives. A person's
/// clicks, Command-drags (Control, Alt or Meta stand in for Command on a PC
/// keyboard) and keys go into the simulated desktop as a hand on a Mac would.
/// Main thread only. Looks at the desktop only when it announces a change
/// or the clock's minute turns, and repaints only when the picture would
/// change, so an idle desktop costs next to nothing.
class DesktopView final : public QWidget {
  public:
    /// `loop` is the main loop, the one `desktop` announces its changes on.
    DesktopView(async::Executor& loop, std::shared_ptr<sim::SimulatedDesktop> desktop,
                sim::Scenario::Screen screen, std::int32_t selfPid, ScreenMapping mapping);
    ~DesktopView() override;

    const ScreenMapping& mapping() const { return mapping_; }
    /// What the desktop looks like now.
    DesktopScene scene() const;
    /// What the window shows, as of its last look.
    const DesktopScene& shown() const { return shown_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    platform::Point simulatedPoint(const QPointF& local) const;
    /// Looks again soon; many calls in a row cost one look.
    void scheduleRefresh();
    void refreshIfChanged();
    /// Takes the scene in; answers whether it looks different.
    bool look();
    void watchClock();

    async::Executor& loop_;
    std::shared_ptr<sim::SimulatedDesktop> desktop_;
    sim::Scenario::Screen screen_;
    std::int32_t selfPid_;
    ScreenMapping mapping_;
    DesktopScene shown_;
    async::TimerHandle refresh_;
    bool refreshScheduled_ = false;
    async::TimerHandle clock_;
    bool clockWatched_ = false;
    std::optional<platform::Point> dragStart_;
};

} // namespace corvel::app
