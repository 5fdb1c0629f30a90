#include "settings_ui/UnresolvedItemsView.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace corvel {

UnresolvedItemsView::UnresolvedItemsView(const SettingsScreens& screens, QWidget* parent)
    : QStackedWidget(parent), screens_(screens) {
    setAccessibleName("Unresolved Items");
    empty_ =
        new EmptyStateView("Nothing Unresolved", "checkmark.circle",
                           "Every Menu Bar Item Corvel can see right now is filed into a Group.");
    addWidget(empty_);
    items_ = new ItemRowList(screens, [screens](const ItemID& item) {
        return AssignableItemRowView::Actions{
            .onAssign = [screens,
                         item](GroupID to) { screens.start(screens.viewModel().assign(item, to)); },
            // The Item has no Group to leave.
            .onUnassign = [] {},
            .onRename =
                [screens, item](std::string name) {
                    screens.start(screens.viewModel().rename(item, std::move(name)));
                },
        };
    });
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(items_);
    layout->addStretch();
    list_ = new QScrollArea;
    list_->setWidgetResizable(true);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setWidget(holder);
    addWidget(list_);

    rowsSubscription_ = screens_.viewModel().rows().observe(
        [this](const auto&) { screens_.drags().whenIdle(this, [this] { showRows(); }); });
    groupsSubscription_ = screens_.viewModel().groups().observe(
        [this](const auto&) { screens_.drags().whenIdle(this, [this] { showRows(); }); });
    showRows();
}

void UnresolvedItemsView::showEvent(QShowEvent* event) {
    QStackedWidget::showEvent(event);
    screens_.start(screens_.viewModel().refreshRows());
}

void UnresolvedItemsView::showRows() {
    const auto& viewModel = screens_.viewModel();
    const auto rows = viewModel.unresolvedRows();
    items_->setRows(rows, viewModel.groups().value());
    setCurrentWidget(rows.empty() ? static_cast<QWidget*>(empty_) : list_);
}

} // namespace corvel
