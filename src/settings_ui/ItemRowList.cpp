#include "settings_ui/ItemRowList.h"

#include "settings_ui/ItemWidgets.h"

namespace corvel {

ItemRowList::ItemRowList(const SettingsScreens& screens, MakeActions makeActions, QWidget* parent)
    : QWidget(parent), screens_(screens), makeActions_(std::move(makeActions)) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);
}

void ItemRowList::setRows(const std::vector<AssignableItemRow>& rows,
                          const std::vector<Group>& groups) {
    rows_ = reconcileItemWidgets(
        rows_, rows, *layout_,
        [&](const AssignableItemRow& row) {
            return new AssignableItemRowView(row, groups, makeActions_(row.id), screens_);
        },
        [&](AssignableItemRowView& view, const AssignableItemRow& row) {
            view.setRow(row, groups);
        });
}

} // namespace corvel
