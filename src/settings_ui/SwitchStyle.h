#pragma once

#include <QAbstractButton>
#include <QProxyStyle>

namespace corvel {

/// Draws a check box as the platform's switch: a pill with a knob that sits
/// right and takes the accent colour while on.
class SwitchStyle final : public QProxyStyle {
  public:
    /// Gives `button` this style; the style belongs to the button.
    static void apply(QAbstractButton* button);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace corvel
