#include "ui/StripPanel.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace corvel {

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

void StripPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (onEscape_) {
            auto onEscape = onEscape_;
            onEscape();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace corvel
