#pragma once

#include "app/DesktopScene.h"

class QPainter;

namespace corvel::app {

/// Paints a desktop scene in simulated points: wallpaper, the menu bar with
/// the front application's menus on the left and the status items where the
/// window server has them, and open pop-up menus. The painter's transform
/// maps points to pixels; `pixelsPerPoint` says how fine to rasterise images.
class DesktopPainter {
  public:
    static void paint(QPainter& painter, const DesktopScene& scene, double pixelsPerPoint);

  private:
    static void paintMenuBar(QPainter& painter, const DesktopScene& scene);
    static void paintItem(QPainter& painter, const DesktopScene& scene, const sim::BarItem& item,
                          double pixelsPerPoint);
    static void paintMenu(QPainter& painter, const sim::OpenMenu& menu, double pixelsPerPoint);
};

} // namespace corvel::app
