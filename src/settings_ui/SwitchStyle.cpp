#include "settings_ui/SwitchStyle.h"

#include "settings_ui/ScreenStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace corvel {

namespace {
constexpr int switchWidth = 32;
constexpr int switchHeight = 18;
} // namespace

void SwitchStyle::apply(QAbstractButton* button) {
    auto* style = new SwitchStyle;
    style->setParent(button);
    button->setStyle(style);
}

QCheckBox* SwitchStyle::row(QWidget* widget, const QString& title, const QString& explanation) {
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* toggle = new QCheckBox(title);
    toggle->setAccessibleName(title);
    apply(toggle);
    layout->addWidget(toggle);
    layout->addWidget(ScreenStyle::label(explanation, ScreenStyle::TextSize::callout,
                                         ScreenStyle::Tone::secondary));
    return toggle;
}

void SwitchStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element != PE_IndicatorCheckBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const bool on = option->state & State_On;
    const QRectF pill(option->rect.x(), option->rect.center().y() - switchHeight / 2.0, switchWidth,
                      switchHeight);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(on ? ScreenStyle::accent() : QColor(0, 0, 0, 40));
    painter->drawRoundedRect(pill, switchHeight / 2.0, switchHeight / 2.0);
    const double knob = switchHeight - 4;
    const double x = on ? pill.right() - knob - 2 : pill.left() + 2;
    painter->setBrush(Qt::white);
    painter->drawEllipse(QRectF(x, pill.top() + 2, knob, knob));
    if (option->state & State_HasFocus) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(ScreenStyle::accent().lighter(140), 2));
        painter->drawRoundedRect(pill.adjusted(-1, -1, 1, 1), switchHeight / 2.0 + 1,
                                 switchHeight / 2.0 + 1);
    }
    painter->restore();
}

int SwitchStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    if (metric == PM_IndicatorWidth)
        return switchWidth;
    if (metric == PM_IndicatorHeight)
        return switchHeight;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace corvel
