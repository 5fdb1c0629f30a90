#pragma once

#include "domain/ItemID.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

namespace corvel {

/// Runs the drags of Items out of the settings screens and holds back row
/// changes while one is under way. A drag runs a nested event loop in which
/// the drop may already refresh the rows; rebuilding the lanes then would
/// destroy the very tile or row that started the drag, under its own mouse
/// handler. Screens route their rebuilds through whenIdle() instead.
/// Main thread only.
class ItemDragSession {
  public:
    /// Drags `id` from `source` and returns when the drag has ended. The
    /// drag belongs to `source`'s window, which outlives the screens.
    void run(QWidget* source, const ItemID& id, const QPixmap& picture);

    /// For the mouse handlers of draggable tiles and rows: a left press
    /// followed by a move past the platform's drag distance starts a drag.
    void notePress(const QMouseEvent& event);
    /// Answers whether the move started (and ran) a drag.
    bool dragIfMoved(const QMouseEvent& event, QWidget* source, const ItemID& id);

    bool isDragging() const { return isDragging_; }
    /// Runs `work` now, or once the drag under way has ended (after its
    /// source's handler has returned) if `context` still exists then.
    void whenIdle(QObject* context, std::function<void()> work);

  private:
    void flush();

    bool isDragging_ = false;
    QPoint pressPosition_;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> deferred_;
};

} // namespace corvel
