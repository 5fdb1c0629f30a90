#include "settings_ui/ItemDrag.h"

#include "domain/Uuid.h"

#include <QString>

namespace corvel {

std::unique_ptr<QMimeData> ItemDrag::mimeData(const ItemID& id) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(id.rawValue().text()));
    return data;
}

std::optional<ItemID> ItemDrag::itemID(const QMimeData* data) {
    if (!data || !data->hasText())
        return std::nullopt;
    return itemID(data->text().toStdString());
}

std::optional<ItemID> ItemDrag::itemID(std::string_view text) {
    if (auto uuid = Uuid::parse(text))
        return ItemID(*uuid);
    return std::nullopt;
}

std::optional<ItemID> ItemDrag::acceptIfItem(QDropEvent& event) {
    const auto id = itemID(event.mimeData());
    if (id)
        event.acceptProposedAction();
    else
        event.ignore();
    return id;
}

} // namespace corvel
