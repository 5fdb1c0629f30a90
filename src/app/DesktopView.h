#pragma once

#include "app/DesktopScene.h"
#include "app/ScreenMapping.h"
#include "platform/Point.h"

#include <QTimer>
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
/// Main thread only. Repaints only when the picture would change, so an idle
/// desktop costs next to nothing.
class DesktopView final : public QWidget {
  public:
    DesktopView(std::shared_ptr<sim::SimulatedDesktop> desktop, sim::Scenario::Screen screen,
                std::int32_t selfPid, ScreenMapping mapping);

    const ScreenMapping& mapping() const { return mapping_; }
    /// Looks again soon; many calls in a row cost one look.
    void scheduleRefresh();
    DesktopScene scene() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    platform::Point simulatedPoint(const QPointF& local) const;
    void refreshIfChanged();

    std::shared_ptr<sim::SimulatedDesktop> desktop_;
    sim::Scenario::Screen screen_;
    std::int32_t selfPid_;
    ScreenMapping mapping_;
    DesktopScene shown_;
    QTimer watch_;
    bool refreshScheduled_ = false;
    std::optional<platform::Point> dragStart_;
};

} // namespace corvel::app
