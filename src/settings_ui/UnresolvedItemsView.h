#pragma once

#include "settings/Subscription.h"
#include "settings_ui/EmptyStateView.h"
#include "settings_ui/ItemRowList.h"
#include "settings_ui/SettingsScreens.h"

#include <QScrollArea>
#include <QStackedWidget>
#include <vector>

namespace corvel {

/// The Items filed into no Group, each with a picker that files it; or
/// "Nothing Unresolved". Reads the rows again each time it appears. Main
/// thread only.
class UnresolvedItemsView final : public QStackedWidget {
  public:
    explicit UnresolvedItemsView(const SettingsScreens& screens, QWidget* parent = nullptr);

    ItemRowList* itemRows() const { return items_; }
    EmptyStateView* emptyState() const { return empty_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showRows();

    SettingsScreens screens_;
    EmptyStateView* empty_;
    QScrollArea* list_;
    ItemRowList* items_;
    std::vector<Subscription> subscriptions_;
};

} // namespace corvel
