#pragma once

#include "settings_ui/AssignableItemRowView.h"
#include "settings_ui/SettingsScreens.h"

#include <QVBoxLayout>
#include <QWidget>
#include <vector>

namespace corvel {

/// A column of Item rows kept by Item id across changes, so that a rename
/// under way survives the refresh it causes. Main thread only.
class ItemRowList final : public QWidget {
  public:
    /// The rows file their Items through the view model; `offersUnassign`
    /// is false where the Items have no Group to leave, and choosing
    /// "Unresolved" then does nothing.
    ItemRowList(const SettingsScreens& screens, bool offersUnassign, QWidget* parent = nullptr);

    void setRows(const std::vector<AssignableItemRow>& rows, const std::vector<Group>& groups);
    const std::vector<AssignableItemRowView*>& rowViews() const { return rows_; }

  private:
    SettingsScreens screens_;
    AssignableItemRowView::Actions actionsFor(const ItemID& item) const;

    bool offersUnassign_;
    QVBoxLayout* layout_;
    std::vector<AssignableItemRowView*> rows_;
};

} // namespace corvel
