#pragma once

#include "domain/ItemID.h"
#include "engine/AssignableItemRow.h"
#include "settings_ui/AdaptiveGridLayout.h"
#include "settings_ui/ItemTile.h"
#include "settings_ui/SettingsScreens.h"

#include <QFrame>
#include <QLabel>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// One lane of the Layout pane: a header (symbol, title, subtitle, count)
/// over a grid of Item tiles, or a line of text while it has none. Items
/// dropped on it are handed to `onDrop`. Tiles are kept by Item id across
/// row changes, so a rename under way survives the refresh it causes.
/// Main thread only.
class LayoutLane final : public QFrame {
  public:
    struct Content {
        std::string title;
        std::optional<std::string> subtitle;
        std::string symbol;
        std::string emptyText;
        std::function<void(ItemID)> onDrop;
        std::function<void(ItemID, std::string)> onRename;
    };

    static constexpr int minimumColumnWidth = 88;
    static constexpr int maximumColumnWidth = 104;
    static constexpr int gridSpacing = 12;

    LayoutLane(Content content, const SettingsScreens& screens, QWidget* parent = nullptr);

    void setRows(const std::vector<AssignableItemRow>& rows);
    /// The lane's header title, e.g. "Visible" or a Group's name.
    void setTitle(const std::string& title, const std::string& symbol);

    const std::vector<ItemTile*>& tiles() const { return tiles_; }
    bool isTargeted() const { return isTargeted_; }
    QLabel* countLabel() const { return count_; }
    QLabel* emptyLabel() const { return empty_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void setTargeted(bool targeted);

    Content content_;
    SettingsScreens screens_;
    QLabel* symbol_;
    QLabel* title_;
    QLabel* count_;
    QLabel* empty_;
    QWidget* grid_;
    AdaptiveGridLayout* gridLayout_;
    std::vector<ItemTile*> tiles_;
    bool isTargeted_ = false;
};

} // namespace corvel
