#pragma once

#include "platform/Workspace.h"

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// The picture of a menu bar item in a list of Corvel's: its live snapshot
/// as tall as a menu bar glyph and tinted as one, else the icon of its
/// running application, unscaled. Main thread only.
struct ItemPicture {
    QPixmap pixmap;
    /// In points.
    QSize size;

    /// None when the snapshot is missing or cannot be drawn and the
    /// application does not run.
    static std::optional<ItemPicture>
    of(const std::optional<std::vector<std::uint8_t>>& snapshotPNG, const std::string& bundleID,
       platform::Workspace* workspace, const QColor& tint, qreal pixelRatio);
};

} // namespace corvel
