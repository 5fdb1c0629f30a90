#include "settings_ui/SettingsView.h"

#include "settings/GroupSymbolPicker.h"
#include "settings_ui/EmptyStateView.h"
#include "settings_ui/FormSection.h"
#include "settings_ui/LaunchAtLoginToggle.h"
#include "settings_ui/ScreenStyle.h"

#include <QFrame>
#include <QPointer>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace corvel {

namespace {

using TextSize = ScreenStyle::TextSize;
using Tone = ScreenStyle::Tone;
using Kind = SettingsSidebarSelection::Kind;

QFrame* divider() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText, ScreenStyle::separator());
    line->setPalette(palette);
    return line;
}

} // namespace

const char* SettingsView::hiddenGroupText() {
    return "The Hidden Group has no icon in the Menu Bar — open its Strip from the Corvel icon's "
           "own menu.";
}

const char* SettingsView::findItemText() {
    return "Type a few letters of an item's name to press it, wherever it is. This shortcut opens "
           "the search from any application.";
}

SettingsView::SettingsView(const SettingsScreens& screens,
                           std::optional<SettingsSidebarSelection> initialSelection,
                           QWidget* parent)
    : QWidget(parent), screens_(screens) {
    setMinimumSize(minimumWidth, minimumHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Horizontal);
    split->setChildrenCollapsible(false);
    split->addWidget(buildSidebarColumn());

    auto* detail = new QWidget;
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->setContentsMargins(0, 12, 0, 0);
    detailLayout->setSpacing(4);
    title_ = ScreenStyle::label({}, TextSize::title);
    QFont titleFont = ScreenStyle::font(TextSize::headline, true);
    titleFont.setPixelSize(15);
    title_->setFont(titleFont);
    title_->setContentsMargins(20, 0, 20, 0);
    detailLayout->addWidget(title_);
    panes_ = new QStackedWidget;
    detailLayout->addWidget(panes_, 1);
    split->addWidget(detail);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 520});
    layout->addWidget(split);

    layout_ = new LayoutView(screens_, [this] { newGroupBar_->startAdding(); });
    panes_->addWidget(layout_);
    unresolvedPane_ = buildUnresolvedPane();
    panes_->addWidget(unresolvedPane_);
    hiddenGroupPane_ = buildHiddenGroupPane();
    panes_->addWidget(hiddenGroupPane_);

    auto& viewModel = screens_.viewModel();
    subscriptions_.push_back(viewModel.groups().observe([this](const auto&) { groupsChanged(); }));
    subscriptions_.push_back(viewModel.rows().observe([this](const auto&) {
        sidebar_->setUnresolvedCount(screens_.viewModel().unresolvedRows().size());
    }));
    subscriptions_.push_back(viewModel.createGroupError().observe(
        [this](const auto& message) { newGroupBar_->setMessage(message); }));
    subscriptions_.push_back(viewModel.assignmentError().observe(
        [this](const auto& message) { tellAssignmentError(message); }));
    sidebar_->setGroups(viewModel.groups().value());
    sidebar_->setUnresolvedCount(viewModel.unresolvedRows().size());
    newGroupBar_->setMessage(viewModel.createGroupError().value());
    select(initialSelection);
}

QWidget* SettingsView::buildSidebarColumn() {
    auto* column = new QWidget;
    column->setMinimumWidth(180);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    sidebar_ = new SettingsSidebar(
        {.onSelect = [this](const SettingsSidebarSelection& selection) { select(selection); },
         .onDropItem =
             [this](ItemID item, GroupID group) {
                 screens_.start(screens_.viewModel().assign(item, group));
             }});
    layout->addWidget(sidebar_, 1);
    newGroupBar_ = new NewGroupBar(
        {.onCommit = [this](const std::string& name) { return commitNewGroup(name); },
         .onCancel = [this] { screens_.viewModel().clearCreateGroupError(); }});
    layout->addWidget(newGroupBar_);
    return column;
}

QWidget* SettingsView::buildUnresolvedPane() {
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    unresolved_ = new UnresolvedItemsView(screens_);
    layout->addWidget(unresolved_, 1);
    layout->addWidget(divider());
    auto* switches = appSwitches();
    switches->setContentsMargins(20, 12, 20, 16);
    layout->addWidget(switches);
    return pane;
}

QWidget* SettingsView::buildHiddenGroupPane() {
    auto* pane = new QWidget;
    pane->setAccessibleName("Hidden Group");
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(20, 16, 20, 20);
    layout->setSpacing(16);
    layout->addWidget(ScreenStyle::label(hiddenGroupText(), TextSize::body));
    layout->addWidget(appSwitches());
    layout->addWidget(new FormSection("Find Item\u2026", buildFindItemShortcut()));
    layout->addStretch();
    return pane;
}

// Find Item… has no pane of its own; its shortcut sits with the other
// preferences that concern no single Group.
QWidget* SettingsView::buildFindItemShortcut() {
    auto viewModel = screens_.sharedViewModel();
    auto recorder = std::make_shared<ShortcutRecorderViewModel>(
        std::nullopt, viewModel->findItemShortcut().value(),
        [viewModel] { return viewModel->groups().value(); },
        [viewModel](std::optional<KeyboardShortcut> shortcut) {
            viewModel->setFindItemShortcut(shortcut);
        });
    auto* section = new QWidget;
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(ScreenStyle::label(findItemText(), TextSize::body, Tone::secondary));
    findItemShortcut_ = new GlobalShortcutView(std::move(recorder), viewModel);
    column->addWidget(findItemShortcut_);
    subscriptions_.push_back(viewModel->findItemShortcutRefusal().observe([this](const auto&) {
        findItemShortcut_->showRefusal(screens_.viewModel().findItemShortcutRefusalMessage());
    }));
    findItemShortcut_->showRefusal(viewModel->findItemShortcutRefusalMessage());
    return section;
}

// The switches that concern Corvel as a whole rather than a pane: live
// pictures, and opening at login where the application offers it.
QWidget* SettingsView::appSwitches() const {
    auto* switches = new QWidget;
    auto* layout = new QVBoxLayout(switches);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(new ScreenRecordingToggle(screens_.sharedViewModel()));
    if (screens_.launchAtLogin())
        layout->addWidget(new LaunchAtLoginToggle(screens_.launchAtLogin()));
    return switches;
}

void SettingsView::select(std::optional<SettingsSidebarSelection> selection) {
    selection_ = std::move(selection);
    sidebar_->select(selection_);
    showPane();
}

std::optional<Group> SettingsView::group(const GroupID& id) const {
    for (const auto& group : screens_.viewModel().groups().value())
        if (group.id == id)
            return group;
    return std::nullopt;
}

void SettingsView::showPane() {
    const auto kind = selection_ ? selection_->kind() : Kind::layout;
    switch (kind) {
    case Kind::layout:
        title_->setText("Layout");
        panes_->setCurrentWidget(layout_);
        break;
    case Kind::unresolved:
        title_->setText("Unresolved Items");
        panes_->setCurrentWidget(unresolvedPane_);
        break;
    case Kind::hiddenGroup:
        title_->setText("Hidden Group");
        panes_->setCurrentWidget(hiddenGroupPane_);
        break;
    case Kind::group:
        showGroupPane(*selection_->groupID());
        break;
    }
}

void SettingsView::showGroupPane(const GroupID& id) {
    auto* previous = groupPane_;
    const auto shown = group(id);
    if (shown)
        groupPane_ = new GroupDetailView(*shown, screens_);
    else
        groupPane_ = new EmptyStateView("Group Removed", "trash");
    title_->setText(shown ? QString::fromStdString(shown->name) : QString());
    panes_->addWidget(groupPane_);
    panes_->setCurrentWidget(groupPane_);
    if (previous) {
        panes_->removeWidget(previous);
        previous->deleteLater();
    }
}

GroupDetailView* SettingsView::groupDetailView() const {
    return dynamic_cast<GroupDetailView*>(groupPane_);
}

void SettingsView::groupsChanged() {
    sidebar_->setGroups(screens_.viewModel().groups().value());
    if (!selection_ || selection_->kind() != Kind::group)
        return;
    const auto shown = group(*selection_->groupID());
    if (!shown) {
        if (groupDetailView())
            showGroupPane(*selection_->groupID());
        return;
    }
    title_->setText(QString::fromStdString(shown->name));
}

bool SettingsView::commitNewGroup(const std::string& name) {
    const auto created =
        screens_.viewModel().createGroup(name, std::string(GroupSymbolPicker::defaultSymbol));
    if (!created)
        return false;
    select(SettingsSidebarSelection::group(created->id));
    return true;
}

void SettingsView::tellAssignmentError(const std::optional<std::string>& message) {
    if (!message || isTellingAssignmentError_)
        return;
    isTellingAssignmentError_ = true;
    // Shown once the notification round has ended: the alert runs a nested
    // event loop in which the view model may change again.
    QTimer::singleShot(0, this, [this] {
        const auto current = screens_.viewModel().assignmentError().value();
        if (current) {
            screens_.alerts().runModal({.messageText = "Couldn't Assign That Item",
                                        .informativeText = *current,
                                        .buttons = {"OK"}});
            screens_.viewModel().dismissAssignmentError();
        }
        isTellingAssignmentError_ = false;
    });
}

std::vector<ScreenRecordingToggle*> SettingsView::visibleScreenRecordingToggles() const {
    std::vector<ScreenRecordingToggle*> shown;
    // The screens carry no meta-object of their own, so the kind is told by
    // the C++ type rather than by findChildren's cast.
    for (auto* child : currentPane()->findChildren<QWidget*>())
        if (auto* toggle = dynamic_cast<ScreenRecordingToggle*>(child))
            shown.push_back(toggle);
    return shown;
}

} // namespace corvel
