#include "settings_ui/ScreenStyle.h"

#include <QApplication>
#include <QPalette>

namespace corvel {

namespace {

// The platform's text styles in points, which are pixels at 1x.
int pixelSize(ScreenStyle::TextSize size) {
    switch (size) {
    case ScreenStyle::TextSize::title:
        return 20;
    case ScreenStyle::TextSize::headline:
        return 13;
    case ScreenStyle::TextSize::body:
        return 13;
    case ScreenStyle::TextSize::callout:
        return 12;
    case ScreenStyle::TextSize::caption:
        return 10;
    case ScreenStyle::TextSize::smallCaption:
        return 9;
    }
    return 13;
}

} // namespace

QFont ScreenStyle::font(TextSize size, bool heavier) {
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize(size));
    if (heavier || size == TextSize::headline)
        font.setWeight(size == TextSize::title ? QFont::Bold : QFont::DemiBold);
    return font;
}

QColor ScreenStyle::color(Tone tone) {
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    switch (tone) {
    case Tone::primary:
        return text;
    case Tone::secondary: {
        QColor c = text;
        c.setAlphaF(0.62);
        return c;
    }
    case Tone::tertiary: {
        QColor c = text;
        c.setAlphaF(0.42);
        return c;
    }
    case Tone::red:
        return QColor(0xFF, 0x3B, 0x30);
    case Tone::orange:
        return QColor(0xFF, 0x95, 0x00);
    case Tone::green:
        return QColor(0x28, 0xCD, 0x41);
    }
    return text;
}

QColor ScreenStyle::accent() {
    return QColor(0x00, 0x7A, 0xFF);
}

QColor ScreenStyle::quaternaryFill() {
    QColor c = QApplication::palette().color(QPalette::WindowText);
    c.setAlphaF(0.05);
    return c;
}

QColor ScreenStyle::separator() {
    QColor c = QApplication::palette().color(QPalette::WindowText);
    c.setAlphaF(0.15);
    return c;
}

QLabel* ScreenStyle::label(const QString& text, TextSize size, Tone tone) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    apply(label, size, tone);
    return label;
}

void ScreenStyle::apply(QLabel* label, TextSize size, Tone tone) {
    label->setFont(font(size));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color(tone));
    label->setPalette(palette);
}

} // namespace corvel
