#include "ui/ItemSearchListModel.h"

namespace corvel {

ItemSearchListModel::ItemSearchListModel(std::shared_ptr<platform::Workspace> workspace)
    : workspace_(std::move(workspace)) {}

void ItemSearchListModel::setRows(std::vector<ItemSearchRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    shown_.clear();
    pictures_.clear();
    endResetModel();
}

void ItemSearchListModel::updatePictures(const std::vector<ItemSearchRow>& rows) {
    if (rows.size() != rows_.size())
        return;
    for (std::size_t at = 0; at < rows.size(); ++at)
        if (rows[at].id == rows_[at].id)
            rows_[at].iconPNG = rows[at].iconPNG;
    pictures_.clear();
    if (!shown_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {pictureRole, pictureSizeRole});
}

void ItemSearchListModel::show(std::vector<std::size_t> shown) {
    beginResetModel();
    shown_ = std::move(shown);
    endResetModel();
}

const ItemSearchRow* ItemSearchListModel::rowAt(int position) const {
    if (position < 0 || static_cast<std::size_t>(position) >= shown_.size())
        return nullptr;
    return &rows_[shown_[static_cast<std::size_t>(position)]];
}

void ItemSearchListModel::setPictureStyle(const QColor& tint, qreal pixelRatio) {
    if (tint == tint_ && pixelRatio == pixelRatio_)
        return;
    tint_ = tint;
    pixelRatio_ = pixelRatio;
    pictures_.clear();
}

int ItemSearchListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant ItemSearchListModel::data(const QModelIndex& index, int role) const {
    const ItemSearchRow* row = rowAt(index.row());
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(row->displayName);
    case applicationNameRole:
        return QString::fromStdString(row->applicationName);
    case placeRole:
        return QString::fromStdString(row->place);
    case pictureRole:
    case pictureSizeRole: {
        const auto& picture = pictureOf(shown_[static_cast<std::size_t>(index.row())]);
        if (!picture)
            return {};
        return role == pictureRole ? QVariant(picture->pixmap) : QVariant(picture->size);
    }
    default:
        return {};
    }
}

const std::optional<ItemPicture>& ItemSearchListModel::pictureOf(std::size_t row) const {
    auto found = pictures_.find(row);
    if (found == pictures_.end()) {
        const auto& item = rows_[row];
        found = pictures_
                    .emplace(row, ItemPicture::of(item.iconPNG, item.bundleID, workspace_.get(),
                                                  tint_, pixelRatio_))
                    .first;
    }
    return found->second;
}

} // namespace corvel
