#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

namespace corvel {

/// The text sizes and colours the settings and onboarding screens share, in
/// the platform's own terms (callout, caption, secondary, accent...), so that
/// every pane reads alike.
struct ScreenStyle {
    enum class TextSize { title, headline, body, callout, caption, smallCaption };
    enum class Tone { primary, secondary, tertiary, red, orange, green };

    static QFont font(TextSize size, bool heavier = false);
    static QColor color(Tone tone);
    static QColor accent();
    /// The quiet fill behind lanes and cells.
    static QColor quaternaryFill();
    static QColor separator();

    /// A word-wrapped label in the given size and tone.
    static QLabel* label(const QString& text, TextSize size, Tone tone = Tone::primary);
    static void apply(QLabel* label, TextSize size, Tone tone);
};

} // namespace corvel
