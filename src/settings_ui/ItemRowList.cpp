#include "settings_ui/ItemRowList.h"

#include "settings_ui/ItemWidgets.h"

namespace corvel {

ItemRowList::ItemRowList(const SettingsScreens& screens, bool offersUnassign, QWidget* parent)
    : QWidget(parent), screens_(screens), offersUnassign_(offersUnassign) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);
}

void ItemRowList::setRows(const std::vector<AssignableItemRow>& rows,
                          const std::vector<Group>& groups) {
    rows_ = reconcileItemWidgets(
        rows_, rows, *layout_,
        [&](const AssignableItemRow& row) {
            return new AssignableItemRowView(row, groups, actionsFor(row.id), screens_);
        },
        [&](AssignableItemRowView& view, const AssignableItemRow& row) {
            view.setRow(row, groups);
        });
}

AssignableItemRowView::Actions ItemRowList::actionsFor(const ItemID& item) const {
    const auto screens = screens_;
    AssignableItemRowView::Actions actions{
        .onAssign = [screens,
                     item](GroupID to) { screens.start(screens.viewModel().assign(item, to)); },
        .onUnassign = [] {},
        .onRename =
            [screens, item](std::string name) {
                screens.start(screens.viewModel().rename(item, std::move(name)));
            },
    };
    if (offersUnassign_)
        actions.onUnassign = [screens, item] { screens.start(screens.viewModel().unassign(item)); };
    return actions;
}

} // namespace corvel
