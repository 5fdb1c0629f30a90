#include "ui/StripPanel.h"

#include "ui/FloatingPanel.h"
#include "ui/PanelKeys.h"
#include "ui/StripRowButton.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <optional>

namespace corvel {

StripPanel::StripPanel() : QWidget(nullptr, FloatingPanel::windowFlags) {
    FloatingPanel::configure(*this);
    resize(240, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void StripPanel::setOnEscape(std::function<void()> onEscape) {
    onEscape_ = std::move(onEscape);
}

void StripPanel::setContent(QWidget* content) {
    // Content is replaced from a task, never from a signal of one of its
    // own buttons, so deleting it at once is safe.
    delete content_;
    content_ = content;
    layout()->addWidget(content_);
}

QList<StripRowButton*> StripPanel::rows() const {
    return content_ ? content_->findChildren<StripRowButton*>() : QList<StripRowButton*>{};
}

StripRowButton* StripPanel::focusedRow() const {
    return dynamic_cast<StripRowButton*>(focusWidget());
}

void StripPanel::focusFirstRow() {
    const auto all = rows();
    if (all.isEmpty()) {
        setFocus(Qt::PopupFocusReason);
        return;
    }
    moveFocusTo(*all.front());
}

void StripPanel::moveFocusTo(StripRowButton& row) {
    // A window that is not active gets no focus events; the rows repaint
    // their highlight all the same.
    StripRowButton* previous = focusedRow();
    row.setFocus(Qt::TabFocusReason);
    if (previous)
        previous->update();
    row.update();
}

void StripPanel::keyPressEvent(QKeyEvent* event) {
    if (respond(PanelKeys::keyOf(*event, PanelKeys::Space::presses))) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool StripPanel::focusNextPrevChild(bool next) {
    return respond(next ? StripKeyboard::Key::next : StripKeyboard::Key::previous);
}

bool StripPanel::respond(StripKeyboard::Key key) {
    const auto all = rows();
    std::optional<std::size_t> focused;
    if (auto index = all.indexOf(focusedRow()); index >= 0)
        focused = static_cast<std::size_t>(index);
    auto rowAt = [&all](std::size_t row) { return all[static_cast<qsizetype>(row)]; };
    return PanelKeys::respond(key, focused, static_cast<std::size_t>(all.size()),
                              {
                                  .choose = [&](std::size_t row) { moveFocusTo(*rowAt(row)); },
                                  // The same path as a click: the row's clicked signal.
                                  .press = [&](std::size_t row) { rowAt(row)->click(); },
                                  .close =
                                      [this] {
                                          if (auto onEscape = onEscape_)
                                              onEscape();
                                      },
                              });
}

} // namespace corvel
