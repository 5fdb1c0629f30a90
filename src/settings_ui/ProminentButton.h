#pragma once

#include <QPushButton>
#include <QString>

namespace corvel {

/// Buttons in the platform's prominent style (filled with the accent colour)
/// and its plain style (text only), named for screen readers by their text.
struct ProminentButton {
    static QPushButton* make(const QString& text);
    static QPushButton* plain(const QString& text);
};

} // namespace corvel
