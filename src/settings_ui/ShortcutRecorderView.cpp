#include "settings_ui/ShortcutRecorderView.h"

#include "settings_ui/QtEventModifiers.h"
#include "settings_ui/ScreenStyle.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace corvel {

namespace {
using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;
} // namespace

ShortcutRecorderView::ShortcutRecorderView(std::shared_ptr<ShortcutRecorderViewModel> viewModel,
                                           QWidget* parent)
    : QWidget(parent), viewModel_(std::move(viewModel)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* row = new QHBoxLayout;
    record_ = new QPushButton;
    record_->setMinimumWidth(minimumButtonWidth);
    record_->setFocusPolicy(Qt::StrongFocus);
    record_->installEventFilter(this);
    clear_ = new QPushButton("Clear");
    clear_->setFlat(true);
    clear_->setAccessibleName("Clear Shortcut");
    QPalette palette = clear_->palette();
    palette.setColor(QPalette::ButtonText, ScreenStyle::color(Tone::red));
    clear_->setPalette(palette);
    row->addWidget(record_);
    row->addWidget(clear_);
    row->addStretch();
    layout->addLayout(row);
    conflict_ = ScreenStyle::label({}, TextSize::caption, Tone::red);
    layout->addWidget(conflict_);
    hint_ =
        ScreenStyle::label(QString::fromUtf8(ShortcutRecorderViewModel::systemConflictHint.data(),
                                             ShortcutRecorderViewModel::systemConflictHint.size()),
                           TextSize::smallCaption, Tone::secondary);
    layout->addWidget(hint_);

    connect(record_, &QPushButton::clicked, this, [this] {
        viewModel_->beginRecording();
        record_->setFocus(Qt::OtherFocusReason);
    });
    connect(clear_, &QPushButton::clicked, this, [this] { viewModel_->clear(); });
    subscriptions_.push_back(viewModel_->shortcut().observe([this](const auto&) { render(); }));
    subscriptions_.push_back(
        viewModel_->conflictMessage().observe([this](const auto&) { render(); }));
    subscriptions_.push_back(viewModel_->isRecording().observe([this](bool) { render(); }));
    render();
}

void ShortcutRecorderView::render() {
    const auto label = QString::fromStdString(viewModel_->buttonLabel());
    record_->setText(label);
    record_->setAccessibleName("Shortcut");
    record_->setAccessibleDescription(label);
    clear_->setVisible(viewModel_->shortcut().value().has_value());
    const auto& message = viewModel_->conflictMessage().value();
    conflict_->setText(message ? QString::fromStdString(*message) : QString());
    conflict_->setVisible(message.has_value());
}

bool ShortcutRecorderView::handleKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Escape)
        return viewModel_->escape();
    return viewModel_->keyDown(event.text().toStdString(), eventModifiers(event));
}

bool ShortcutRecorderView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != record_ || !viewModel_->isRecording().value())
        return QWidget::eventFilter(watched, event);
    // While recording, a press the window would take as a shortcut of its
    // own must reach the recorder first.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        return handleKey(*static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

} // namespace corvel
