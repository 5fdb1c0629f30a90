#pragma once

#include "ui/StripKeyboard.h"

#include <QList>
#include <QWidget>
#include <functional>

namespace corvel {

class StripRowButton;

/// The floating panel that holds a Strip: frameless, above other windows,
/// not movable, with a shadow and a clear background. It never activates
/// the application when clicked (a tool window is a non-activating panel on
/// the platform) yet takes the keyboard while it is shown: Up, Down and Tab
/// move the focus between rows, Return and Space press the focused row as a
/// click does, Escape closes. Main thread only; one instance, reused for
/// every Strip.
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

    /// The rows of the content, top to bottom.
    QList<StripRowButton*> rows() const;
    /// The row that holds the panel's focus; none when the focus is on no row.
    StripRowButton* focusedRow() const;
    /// Gives the keyboard focus to the first row, or to the panel itself when
    /// it has none, so that the keys reach the Strip.
    void focusFirstRow();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    /// Tab and Shift-Tab, which the toolkit takes before the key press.
    bool focusNextPrevChild(bool next) override;

  private:
    /// Answers whether the Strip used the key.
    bool respond(StripKeyboard::Key key);
    void moveFocusTo(StripRowButton& row);

    std::function<void()> onEscape_;
    QWidget* content_ = nullptr;
};

} // namespace corvel
