#include "settings_ui/HostWindow.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QVBoxLayout>

namespace corvel {

HostWindow::HostWindow(QWidget* content, Style style,
                       std::shared_ptr<platform::ApplicationActivation> activation,
                       std::shared_ptr<QSettings> defaults)
    : QWidget(nullptr, Qt::Window), style_(std::move(style)), activation_(std::move(activation)),
      defaults_(std::move(defaults)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    setWindowTitle(style_.title);
    applyFlags();
    // The window is kept for the whole run; closing only hides it.
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (style_.contentSize)
        resize(*style_.contentSize);
    else
        layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!restoreSavedFrame())
        centre();
    isBuilt_ = true;
}

void HostWindow::Release::operator()(HostWindow* window) const {
    window->hide();
    window->deleteLater();
}

void HostWindow::applyFlags() {
    Qt::WindowFlags flags =
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (style_.miniaturizable)
        flags |= Qt::WindowMinimizeButtonHint;
    if (style_.resizable)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
}

bool HostWindow::restoreSavedFrame() {
    if (style_.frameAutosaveName.isEmpty() || !defaults_)
        return false;
    const auto saved = defaults_->value(style_.frameAutosaveName).toByteArray();
    return !saved.isEmpty() && restoreGeometry(saved);
}

void HostWindow::centre() {
    adjustSize();
    if (style_.contentSize)
        resize(*style_.contentSize);
    const auto* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    auto frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void HostWindow::bringToFront() {
    if (activation_)
        activation_->activateIgnoringOtherApps(true);
    show();
    raise();
    activateWindow();
}

void HostWindow::saveFrame() {
    if (!isBuilt_ || style_.frameAutosaveName.isEmpty() || !defaults_)
        return;
    defaults_->setValue(style_.frameAutosaveName, saveGeometry());
}

void HostWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    saveFrame();
}

void HostWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    saveFrame();
}

void HostWindow::hideEvent(QHideEvent* event) {
    saveFrame();
    QWidget::hideEvent(event);
    if (defaults_)
        defaults_->sync();
}

} // namespace corvel
