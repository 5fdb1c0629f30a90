#pragma once

#include "engine/ItemSearchRow.h"
#include "platform/Workspace.h"
#include "ui/ItemPicture.h"

#include <QAbstractListModel>
#include <QColor>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

/// The rows the item search shows, in the order the typed text ranks them,
/// for a list view. A keystroke changes only which rows are shown and in
/// what order, so a list of a thousand items updates at once: the view asks
/// only for the rows on screen, and each row's picture is drawn once. Main
/// thread only.
class ItemSearchListModel final : public QAbstractListModel {
  public:
    enum Role {
        applicationNameRole = Qt::UserRole + 1,
        placeRole,
        /// An ItemPicture's pixmap, or nothing.
        pictureRole,
        /// The picture's size in points, a QSize.
        pictureSizeRole,
    };

    explicit ItemSearchListModel(std::shared_ptr<platform::Workspace> workspace);

    /// Every row of the menu bar, left to right; pictures are drawn anew.
    void setRows(std::vector<ItemSearchRow> rows);
    /// The same rows with the pictures captured since; a list of other rows
    /// is ignored.
    void updatePictures(const std::vector<ItemSearchRow>& rows);
    /// Which of the rows are shown, as indices into them, in order.
    void show(std::vector<std::size_t> shown);
    /// The row shown at `position`, or none.
    const ItemSearchRow* rowAt(int position) const;
    /// Tints snapshots and sets the pixel ratio pictures are drawn at.
    void setPictureStyle(const QColor& tint, qreal pixelRatio);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const std::optional<ItemPicture>& pictureOf(std::size_t row) const;

    std::shared_ptr<platform::Workspace> workspace_;
    std::vector<ItemSearchRow> rows_;
    std::vector<std::size_t> shown_;
    QColor tint_ = Qt::black;
    qreal pixelRatio_ = 1;
    mutable std::unordered_map<std::size_t, std::optional<ItemPicture>> pictures_;
};

} // namespace corvel
