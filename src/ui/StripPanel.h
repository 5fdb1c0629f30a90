#pragma once

#include <QWidget>
#include <functional>

namespace corvel {

/// The floating panel that holds a Strip: frameless, above other windows,
/// not movable, with a shadow and a clear background. It never activates
/// the application when clicked (a tool window is a non-activating panel on
/// the platform) yet takes key focus so that Escape reaches it. Main thread
/// only; one instance, reused for every Strip.
class StripPanel final : public QWidget {
  public:
    StripPanel();

    /// Runs on the main thread when Escape is pressed while the panel has
    /// key focus; the key is not passed on. May destroy nothing but may hide
    /// the panel.
    void setOnEscape(std::function<void()> onEscape);

    /// Replaces the whole content with `content`, which the panel takes.
    void setContent(QWidget* content);
    QWidget* content() const { return content_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<void()> onEscape_;
    QWidget* content_ = nullptr;
};

} // namespace corvel
