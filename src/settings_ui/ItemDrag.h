#pragma once

#include "domain/ItemID.h"

#include <QDropEvent>
#include <QMimeData>
#include <memory>
#include <optional>
#include <string_view>

namespace corvel {

/// Items travel between the settings screens as their id in UUID text, the
/// one form every lane, sidebar row and Group pane accepts.
struct ItemDrag {
    /// A payload of plain text holding the id.
    static std::unique_ptr<QMimeData> mimeData(const ItemID& id);
    /// The Item a drop names: its text must be exactly one UUID; any other
    /// text (or none) names no Item and the drop is refused.
    static std::optional<ItemID> itemID(const QMimeData* data);
    static std::optional<ItemID> itemID(std::string_view text);
    /// Accepts a drag or drop event that carries an Item, refuses any other;
    /// answers the Item.
    static std::optional<ItemID> acceptIfItem(QDropEvent& event);
};

} // namespace corvel
