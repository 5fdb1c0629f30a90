#include "settings_ui/ItemDragSession.h"

#include "settings_ui/ItemDrag.h"

#include <QApplication>
#include <QDrag>
#include <QTimer>

namespace corvel {

void ItemDragSession::run(QWidget* source, const ItemID& id, const QPixmap& picture) {
    if (isDragging_)
        return;
    isDragging_ = true;
    auto* drag = new QDrag(source->window());
    drag->setMimeData(ItemDrag::mimeData(id).release());
    if (!picture.isNull())
        drag->setPixmap(picture);
    drag->exec(Qt::MoveAction);
    drag->deleteLater();
    isDragging_ = false;
    // The source's mouse handler is still on the stack; rebuild after it.
    QTimer::singleShot(0, source->window(), [this] { flush(); });
}

void ItemDragSession::notePress(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton)
        pressPosition_ = event.globalPosition().toPoint();
}

bool ItemDragSession::dragIfMoved(const QMouseEvent& event, QWidget* source, const ItemID& id) {
    if (!(event.buttons() & Qt::LeftButton) ||
        (event.globalPosition().toPoint() - pressPosition_).manhattanLength() <
            QApplication::startDragDistance())
        return false;
    run(source, id, source->grab());
    return true;
}

void ItemDragSession::whenIdle(QObject* context, std::function<void()> work) {
    if (!isDragging_) {
        work();
        return;
    }
    deferred_.emplace_back(context, std::move(work));
}

void ItemDragSession::flush() {
    auto deferred = std::move(deferred_);
    deferred_.clear();
    for (auto& [context, work] : deferred)
        if (context)
            work();
}

} // namespace corvel
