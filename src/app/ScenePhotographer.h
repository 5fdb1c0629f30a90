#pragma once

#include "app/DesktopView.h"

#include <QImage>
#include <QString>

namespace corvel::app {

/// Pictures of the whole scene as a person would see it: the simulated
/// display with Corvel's own windows (Strips, alerts, settings, onboarding)
/// laid over it where they stand. Works on Qt's offscreen platform, where
/// there is no real screen to capture. Main thread only.
class ScenePhotographer {
  public:
    explicit ScenePhotographer(const DesktopView& view) : view_(view) {}

    QImage photograph() const;
    /// Answers whether the picture was written.
    bool save(const QString& path) const;

  private:
    const DesktopView& view_;
};

} // namespace corvel::app
