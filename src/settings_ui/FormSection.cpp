#include "settings_ui/FormSection.h"

#include "settings_ui/ScreenStyle.h"

#include <QPainter>
#include <QVBoxLayout>

namespace corvel {

FormSection::FormSection(const QString& title, QWidget* content, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* heading =
        ScreenStyle::label(title, ScreenStyle::TextSize::callout, ScreenStyle::Tone::secondary);
    heading->setFont(ScreenStyle::font(ScreenStyle::TextSize::callout, true));
    layout->addWidget(heading);
    panel_ = new QWidget;
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(12, 10, 12, 10);
    panelLayout->addWidget(content);
    layout->addWidget(panel_);
    if (content->accessibleName().isEmpty())
        content->setAccessibleName(title);
    heading->setBuddy(content);
}

void FormSection::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(ScreenStyle::quaternaryFill());
    painter.setPen(QPen(ScreenStyle::separator(), 0.5));
    painter.drawRoundedRect(QRectF(panel_->geometry()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

} // namespace corvel
