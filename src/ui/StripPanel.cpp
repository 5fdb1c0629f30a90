#include "ui/StripPanel.h"

#include "ui/StripRowButton.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <optional>

namespace corvel {

namespace {

// Only plain keys belong to the Strip; a combination with Command, Control or
// Option is someone else's, Shift only turns Tab around.
StripKeyboard::Key stripKey(const QKeyEvent& event) {
    using Key = StripKeyboard::Key;
    const auto modifiers = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier)
        return Key::other;
    switch (event.key()) {
    case Qt::Key_Escape:
        return Key::escape;
    case Qt::Key_Down:
        return Key::next;
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        return Key::previous;
    case Qt::Key_Tab:
        return event.modifiers() & Qt::ShiftModifier ? Key::previous : Key::next;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return Key::press;
    default:
        return Key::other;
    }
}

} // namespace

StripPanel::StripPanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);
    setFocusPolicy(Qt::StrongFocus);
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
    if (respond(stripKey(*event))) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool StripPanel::focusNextPrevChild(bool next) {
    return respond(next ? StripKeyboard::Key::next : StripKeyboard::Key::previous);
}

bool StripPanel::respond(StripKeyboard::Key key) {
    using Kind = StripKeyboard::Response::Kind;
    const auto all = rows();
    std::optional<std::size_t> focused;
    if (auto index = all.indexOf(focusedRow()); index >= 0)
        focused = static_cast<std::size_t>(index);
    const auto response =
        StripKeyboard::respond(key, focused, static_cast<std::size_t>(all.size()));
    switch (response.kind) {
    case Kind::focus:
        moveFocusTo(*all[static_cast<qsizetype>(response.row)]);
        return true;
    case Kind::press:
        // The same path as a click: the row's clicked signal.
        all[static_cast<qsizetype>(response.row)]->click();
        return true;
    case Kind::close:
        if (auto onEscape = onEscape_)
            onEscape();
        return true;
    case Kind::nothing:
        return true;
    case Kind::passOn:
        return false;
    }
    return false;
}

} // namespace corvel
