#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QProxyStyle>
#include <QVBoxLayout>

namespace corvel {

/// Draws a check box as the platform's switch: a pill with a knob that sits
/// right and takes the accent colour while on.
class SwitchStyle final : public QProxyStyle {
  public:
    /// Gives `button` this style; the style belongs to the button.
    static void apply(QAbstractButton* button);
    /// A settings row on `widget`: a switch titled `title` over its
    /// `explanation` in the secondary tone. Answers the switch; further rows
    /// may go into the widget's layout below them.
    static QCheckBox* row(QWidget* widget, const QString& title, const QString& explanation);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace corvel
