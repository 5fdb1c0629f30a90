#pragma once

#include "app/DesktopView.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <optional>
#include <string>

namespace corvel::app {

/// Pictures of the whole scene as a person would see it on a Retina
/// display: the simulated display with Corvel's own windows (Strips,
/// alerts, settings, onboarding) laid over it where they stand, framed as
/// the window system frames them. Works on Qt's offscreen platform, where
/// there is no real screen to capture. Main thread only.
class ScenePhotographer {
  public:
    /// Pixels per simulated point, as on a Retina display, so the menu
    /// bar's small type stays legible.
    static constexpr double pixelsPerPoint = 2;

    explicit ScenePhotographer(const DesktopView& view) : view_(view) {}

    /// A null image when the display has no area.
    QImage photograph() const;
    /// Writes the picture as PNG; answers why it could not, or nothing.
    std::optional<std::string> save(const QString& path) const;

    /// The window as it draws itself, at `pixelRatio` pixels per pixel of
    /// its own, so that its text is as sharp as the rest of the picture.
    static QPixmap pictureOf(QWidget& window, double pixelRatio);

  private:
    const DesktopView& view_;
};

} // namespace corvel::app
