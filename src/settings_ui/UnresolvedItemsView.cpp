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
    items_ = new ItemRowList(screens, /*offersUnassign=*/false);
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

    subscriptions_ = screens_.observeRowsAndGroups(this, [this] { showRows(); });
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
