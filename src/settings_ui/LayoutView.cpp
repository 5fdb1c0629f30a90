#include "settings_ui/LayoutView.h"

#include "settings_ui/ScreenStyle.h"

#include <QLabel>
#include <algorithm>

namespace corvel {

namespace {
using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;
} // namespace

LayoutView::LayoutView(const SettingsScreens& screens, std::function<void()> onNewGroup,
                       QWidget* parent)
    : QScrollArea(parent), screens_(screens) {
    setAccessibleName("Layout");
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(14);
    layout->addWidget(ScreenStyle::label("Drag an Item into a Group to tuck it away. Drag it back "
                                         "to the Menu Bar to show it again.",
                                         TextSize::callout, Tone::secondary));

    visibleLane_ = new LayoutLane(
        {.title = "Visible",
         .subtitle = "Menu Bar",
         .symbol = "menubar.rectangle",
         .emptyText = "Nothing here — every Item is in a Group.",
         .onDrop = [screens](ItemID id) { screens.start(screens.viewModel().unassign(id)); },
         .onRename =
             [screens](ItemID id, std::string name) {
                 screens.start(screens.viewModel().rename(id, std::move(name)));
             }},
        screens_);
    layout->addWidget(visibleLane_);
    lanesLayout_ = new QVBoxLayout;
    lanesLayout_->setSpacing(14);
    layout->addLayout(lanesLayout_);

    noGroupsPanel_ = new NoGroupsPanel(onNewGroup);
    layout->addWidget(noGroupsPanel_);
    newGroupButton_ = new QPushButton("+ New Group");
    newGroupButton_->setAccessibleName("New Group");
    newGroupButton_->setFlat(true);
    newGroupButton_->setFont(ScreenStyle::font(TextSize::callout));
    newGroupButton_->setCursor(Qt::PointingHandCursor);
    QPalette palette = newGroupButton_->palette();
    palette.setColor(QPalette::ButtonText, ScreenStyle::color(Tone::secondary));
    newGroupButton_->setPalette(palette);
    connect(newGroupButton_, &QPushButton::clicked, this, [onNewGroup] {
        if (onNewGroup)
            onNewGroup();
    });
    layout->addWidget(newGroupButton_, 0, Qt::AlignLeft);
    layout->addStretch();
    setWidget(content);

    subscriptions_ = screens_.observeRowsAndGroups(this, [this] { showGroups(); });
    showGroups();
}

void LayoutView::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    screens_.start(screens_.viewModel().refreshRows());
}

std::vector<LayoutLane*> LayoutView::groupLanes() const {
    std::vector<LayoutLane*> lanes;
    for (const auto& [id, lane] : groupLanes_)
        lanes.push_back(lane);
    return lanes;
}

LayoutLane* LayoutView::laneFor(const GroupID& group) const {
    for (const auto& [id, lane] : groupLanes_)
        if (id == group)
            return lane;
    return nullptr;
}

LayoutLane* LayoutView::makeGroupLane(const Group& group) {
    const auto screens = screens_;
    const GroupID id = group.id;
    return new LayoutLane(
        {.title = group.name,
         .subtitle = std::nullopt,
         .symbol = group.symbolName,
         .emptyText = "Drag an Item here to tuck it into this Group.",
         .onDrop = [screens,
                    id](ItemID item) { screens.start(screens.viewModel().assign(item, id)); },
         .onRename =
             [screens](ItemID item, std::string name) {
                 screens.start(screens.viewModel().rename(item, std::move(name)));
             }},
        screens_);
}

void LayoutView::showGroups() {
    const auto& groups = screens_.viewModel().groups().value();
    std::vector<std::pair<GroupID, LayoutLane*>> lanes;
    for (const auto& group : groups) {
        auto* lane = laneFor(group.id);
        if (!lane)
            lane = makeGroupLane(group);
        lane->setTitle(group.name, group.symbolName);
        lanes.emplace_back(group.id, lane);
    }
    for (const auto& [id, lane] : groupLanes_) {
        const bool kept = std::any_of(lanes.begin(), lanes.end(),
                                      [&](const auto& entry) { return entry.second == lane; });
        if (!kept) {
            lane->hide();
            lane->deleteLater();
        }
    }
    while (auto* item = lanesLayout_->takeAt(0))
        delete item;
    for (const auto& [id, lane] : lanes)
        lanesLayout_->addWidget(lane);
    groupLanes_ = std::move(lanes);
    noGroupsPanel_->setVisible(groups.empty());
    newGroupButton_->setVisible(!groups.empty());
    showRows();
}

void LayoutView::showRows() {
    const auto& viewModel = screens_.viewModel();
    visibleLane_->setRows(viewModel.unresolvedRows());
    for (const auto& [id, lane] : groupLanes_)
        lane->setRows(viewModel.rowsIn(id));
}

} // namespace corvel
