#pragma once

#include "settings_ui/AssignableItemRowView.h"
#include "settings_ui/SettingsScreens.h"

#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <vector>

namespace corvel {

/// A column of Item rows kept by Item id across changes, so that a rename
/// under way survives the refresh it causes. Main thread only.
class ItemRowList final : public QWidget {
  public:
    using MakeActions = std::function<AssignableItemRowView::Actions(const ItemID&)>;

    ItemRowList(const SettingsScreens& screens, MakeActions makeActions, QWidget* parent = nullptr);

    void setRows(const std::vector<AssignableItemRow>& rows, const std::vector<Group>& groups);
    const std::vector<AssignableItemRowView*>& rowViews() const { return rows_; }

  private:
    SettingsScreens screens_;
    MakeActions makeActions_;
    QVBoxLayout* layout_;
    std::vector<AssignableItemRowView*> rows_;
};

} // namespace corvel
