#include "settings_ui/NewGroupBar.h"

#include "settings_ui/ScreenStyle.h"
#include "ui/SymbolIcons.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace corvel {

namespace {
using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;
} // namespace

NewGroupBar::NewGroupBar(Actions actions, QWidget* parent)
    : QWidget(parent), actions_(std::move(actions)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);

    newGroup_ =
        new QPushButton(SymbolIcons::icon("plus.circle.fill", ScreenStyle::accent()), "New Group");
    newGroup_->setAccessibleName("New Group");
    newGroup_->setFlat(true);
    newGroup_->setStyleSheet("QPushButton { text-align: left; padding: 4px 6px; border: none; }"
                             "QPushButton:hover, QPushButton:pressed { background: "
                             "rgba(127, 127, 127, 40); border-radius: 5px; }");
    newGroup_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(newGroup_);

    addingRow_ = new QWidget;
    auto* row = new QHBoxLayout(addingRow_);
    row->setContentsMargins(4, 0, 0, 0);
    row->setSpacing(6);
    auto* folder = new QLabel;
    folder->setPixmap(
        SymbolIcons::pixmap("folder.fill", QSize(16, 16), ScreenStyle::color(Tone::secondary)));
    row->addWidget(folder);
    name_ = new QLineEdit;
    name_->setPlaceholderText("Group name");
    name_->setAccessibleName("Group name");
    name_->setFrame(false);
    row->addWidget(name_, 1);
    cancel_ = new QToolButton;
    cancel_->setIcon(SymbolIcons::icon("xmark.circle.fill", ScreenStyle::color(Tone::tertiary)));
    cancel_->setToolTip("Cancel");
    cancel_->setAccessibleName("Cancel");
    cancel_->setAutoRaise(true);
    row->addWidget(cancel_);
    layout->addWidget(addingRow_);

    message_ = ScreenStyle::label({}, TextSize::caption, Tone::red);
    layout->addWidget(message_);

    connect(newGroup_, &QPushButton::clicked, this, &NewGroupBar::startAdding);
    connect(name_, &QLineEdit::returnPressed, this, &NewGroupBar::commit);
    connect(cancel_, &QToolButton::clicked, this, &NewGroupBar::cancel);
    setAdding(false);
    setMessage(std::nullopt);
}

void NewGroupBar::setAdding(bool adding) {
    isAdding_ = adding;
    newGroup_->setVisible(!adding);
    addingRow_->setVisible(adding);
}

void NewGroupBar::startAdding() {
    setAdding(true);
    name_->setFocus(Qt::OtherFocusReason);
}

void NewGroupBar::commit() {
    if (!actions_.onCommit || !actions_.onCommit(name_->text().toStdString()))
        return;
    name_->clear();
    setAdding(false);
}

void NewGroupBar::cancel() {
    name_->clear();
    setAdding(false);
    if (actions_.onCancel)
        actions_.onCancel();
}

void NewGroupBar::setMessage(const std::optional<std::string>& message) {
    message_->setText(message ? QString::fromStdString(*message) : QString());
    message_->setVisible(message.has_value());
}

void NewGroupBar::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The bar's material, with the divider along its top edge.
    QPainter painter(this);
    painter.fillRect(rect(), ScreenStyle::quaternaryFill());
    painter.setPen(ScreenStyle::separator());
    painter.drawLine(rect().topLeft(), rect().topRight());
}

} // namespace corvel
