#pragma once

#include "platform/ApplicationActivation.h"

#include <QSettings>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

namespace corvel {

/// One top-level window that hosts a screen for the whole run. Closing it
/// hides it; showing it again brings back the same widgets with their state.
/// With an autosave name its frame is kept in the user's defaults under that
/// key and restored when the window is built; without one (or with nothing
/// saved) it opens centred on the primary screen. Main thread only.
class HostWindow final : public QWidget {
  public:
    struct Style {
        QString title;
        bool miniaturizable = false;
        bool resizable = false;
        /// Absent: the window follows its content's size and cannot be resized.
        std::optional<QSize> contentSize;
        /// Empty: the frame is not kept.
        QString frameAutosaveName;
    };

    /// Deletes a window once control is back in the event loop: its owner may
    /// be destroyed from a handler of the window's own buttons.
    struct Release {
        void operator()(HostWindow* window) const;
    };

    /// Takes ownership of `content`. `defaults` may be null when the style
    /// has no autosave name.
    HostWindow(QWidget* content, Style style,
               std::shared_ptr<platform::ApplicationActivation> activation,
               std::shared_ptr<QSettings> defaults);

    /// Activates the application, then shows, raises and focuses the window,
    /// whichever application was in front.
    void bringToFront();

    const QString& frameAutosaveName() const { return style_.frameAutosaveName; }

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void applyFlags();
    bool restoreSavedFrame();
    void centre();
    void saveFrame();

    Style style_;
    std::shared_ptr<platform::ApplicationActivation> activation_;
    std::shared_ptr<QSettings> defaults_;
    // Frames set while the window is built are not the user's; they are not saved.
    bool isBuilt_ = false;
};

} // namespace corvel
