#include "settings_ui/RenameField.h"

#include "ui/SymbolIcons.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace corvel {

RenameField::RenameField(const std::string& displayName, std::function<void(std::string)> onRename,
                         QWidget* parent)
    : QStackedWidget(parent), displayName_(displayName), onRename_(std::move(onRename)) {
    label_ = new QLabel(QString::fromStdString(displayName));
    label_->setMinimumWidth(1);
    label_->setAlignment(Qt::AlignCenter);
    label_->setAccessibleName(QString::fromStdString(displayName));
    label_->installEventFilter(this);
    field_ = new QLineEdit;
    field_->setPlaceholderText("Name");
    field_->setAccessibleName("Name");
    field_->setAlignment(Qt::AlignCenter);
    field_->installEventFilter(this);
    addWidget(label_);
    addWidget(field_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(field_, &QLineEdit::textEdited, this, &RenameField::draftChanged);
}

void RenameField::setLabelFont(const QFont& font) {
    label_->setFont(font);
    field_->setFont(font);
    elideLabel();
}

void RenameField::setDisplayName(const std::string& displayName) {
    displayName_ = displayName;
    label_->setAccessibleName(QString::fromStdString(displayName));
    label_->setToolTip(QString::fromStdString(displayName));
    elideLabel();
}

void RenameField::elideLabel() {
    const auto full = QString::fromStdString(displayName_);
    label_->setText(label_->fontMetrics().elidedText(full, Qt::ElideRight, label_->width()));
}

void RenameField::resizeEvent(QResizeEvent* event) {
    QStackedWidget::resizeEvent(event);
    elideLabel();
}

bool RenameField::isRenaming() const {
    return editor_.isRenaming();
}

void RenameField::startRenaming() {
    editor_.begin(displayName_);
    field_->setText(QString::fromStdString(editor_.draftName()));
    setCurrentWidget(field_);
    field_->setFocus(Qt::OtherFocusReason);
    field_->selectAll();
}

QMenu* RenameField::makeContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    auto* rename = menu->addAction(
        SymbolIcons::icon("pencil", palette().color(QPalette::WindowText)), "Rename…");
    connect(rename, &QAction::triggered, this, &RenameField::startRenaming);
    return menu;
}

void RenameField::draftChanged(const QString& text) {
    apply(editor_.edit(text.toStdString()));
}

void RenameField::finish() {
    if (!editor_.isRenaming())
        return;
    const auto name = editor_.commit();
    QPointer<RenameField> alive(this);
    apply(name);
    if (alive)
        showLabel();
}

void RenameField::cancel() {
    editor_.cancel(displayName_);
    showLabel();
}

void RenameField::showLabel() {
    setCurrentWidget(label_);
}

// The call may rebuild the rows and destroy this field; nothing of `this` is
// touched after it.
void RenameField::apply(const std::optional<std::string>& name) {
    if (name && onRename_) {
        auto onRename = onRename_;
        onRename(*name);
    }
}

bool RenameField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label_ && event->type() == QEvent::MouseButtonDblClick) {
        startRenaming();
        return true;
    }
    if (watched == field_ && event->type() == QEvent::KeyPress && editor_.isRenaming()) {
        // Taken here so that neither key travels on to the tile or row.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            cancel();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            finish();
            return true;
        }
    }
    if (watched == field_ && event->type() == QEvent::FocusOut && editor_.isRenaming()) {
        finish();
        return false;
    }
    return QStackedWidget::eventFilter(watched, event);
}

} // namespace corvel
