#pragma once

#include "domain/GroupID.h"
#include "settings/Subscription.h"
#include "settings_ui/LayoutLane.h"
#include "settings_ui/NoGroupsPanel.h"
#include "settings_ui/SettingsScreens.h"

#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <functional>
#include <utility>
#include <vector>

namespace corvel {

/// The Layout pane: the visible lane and one lane per Group, with the drag
/// and drop that files Items between them. Reads the rows again each time
/// it appears. Main thread only.
class LayoutView final : public QScrollArea {
  public:
    LayoutView(const SettingsScreens& screens, std::function<void()> onNewGroup,
               QWidget* parent = nullptr);

    LayoutLane* visibleLane() const { return visibleLane_; }
    /// The Groups' lanes in the Groups' order.
    std::vector<LayoutLane*> groupLanes() const;
    LayoutLane* laneFor(const GroupID& group) const;
    NoGroupsPanel* noGroupsPanel() const { return noGroupsPanel_; }
    QPushButton* newGroupButton() const { return newGroupButton_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showGroups();
    void showRows();
    LayoutLane* makeGroupLane(const Group& group);

    SettingsScreens screens_;
    QVBoxLayout* lanesLayout_;
    LayoutLane* visibleLane_;
    std::vector<std::pair<GroupID, LayoutLane*>> groupLanes_;
    NoGroupsPanel* noGroupsPanel_;
    QPushButton* newGroupButton_;
    std::vector<Subscription> subscriptions_;
};

} // namespace corvel
