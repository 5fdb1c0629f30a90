#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <string>

namespace corvel {

/// Draws platform symbol names with the vendored icon files of
/// SymbolIconTable. Main thread only (Qt pixmaps).
class SymbolIcons {
  public:
    /// ":/symbols/…" for a mapped name, empty otherwise.
    static QString resourcePath(const std::string& symbolName);

    /// The symbol `size` points large in `color`, sharp at
    /// `devicePixelRatio`; a null pixmap for a name without an icon.
    static QPixmap pixmap(const std::string& symbolName, QSize size, const QColor& color,
                          qreal devicePixelRatio = 1.0);

    /// The symbol in `color` at the sizes a button or list row asks for; a
    /// null icon for a name without an icon.
    static QIcon icon(const std::string& symbolName, const QColor& color);
};

} // namespace corvel
