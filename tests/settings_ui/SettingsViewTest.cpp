#include "settings_ui/SettingsView.h"

#include "SettingsScreensFixture.h"
#include "backend/BackendError.h"
#include "settings_ui/EmptyStateView.h"
#include "settings_ui/LaunchAtLoginToggle.h"
#include "settings_ui/SidebarRowDelegate.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace corvel {
namespace {

using Operation = test::ScriptedBackend::Operation;

class SettingsViewTest : public ::testing::Test, protected test::SettingsScreensFixture {
  protected:
    SettingsView& view() {
        if (!view_) {
            view_ = std::make_unique<SettingsView>(*screens, SettingsSidebarSelection::layout());
            view_->resize(720, 480);
            view_->show();
            settle();
        }
        return *view_;
    }

    int badge() {
        return view()
            .sidebar()
            ->rowFor(SettingsSidebarSelection::unresolved())
            ->data(SidebarRowDelegate::badgeRole)
            .toInt();
    }

    QPoint centreOf(const SettingsSidebarSelection& selection) {
        auto* sidebar = view().sidebar();
        return sidebar->visualItemRect(sidebar->rowFor(selection)).center();
    }

    std::optional<GroupID> groupOf(const std::string& title) const { return row(title).groupID; }

    std::unique_ptr<SettingsView> view_;
};

TEST_F(SettingsViewTest, groupsAppearInTheirOwnSectionInOrderWhichIsAbsentWithoutGroups) {
    EXPECT_EQ(view().sidebar()->rowTitles(),
              (QStringList{"Layout", "", "Unresolved Items", "Hidden Group"}));
    addGroup("Work");
    addGroup("Chat");
    EXPECT_EQ(view().sidebar()->rowTitles(), (QStringList{"Layout", "Groups", "Work", "Chat", "",
                                                          "Unresolved Items", "Hidden Group"}));
    const auto* work = view().sidebar()->item(2);
    EXPECT_EQ(work->toolTip(), "Drag Items into this Group in the Layout pane");
}

TEST_F(SettingsViewTest, arrowKeysWalkTheSidebarRowsPastTheSectionHeadings) {
    const auto work = addGroup("Work");
    auto* sidebar = view().sidebar();
    sidebar->setFocus();
    QTest::keyClick(sidebar, Qt::Key_Down);
    EXPECT_EQ(view().selection(), SettingsSidebarSelection::group(work.id));
    QTest::keyClick(sidebar, Qt::Key_Down);
    EXPECT_EQ(view().selection(), SettingsSidebarSelection::unresolved());
    QTest::keyClick(sidebar, Qt::Key_Down);
    EXPECT_EQ(view().selection(), SettingsSidebarSelection::hiddenGroup());
    EXPECT_EQ(view().paneTitle()->text(), "Hidden Group");
}

TEST_F(SettingsViewTest, theUnresolvedBadgeFollowsTheNumberOfUnfiledItems) {
    view();
    showItems({{"com.example.driftwood", "Driftwood"}, {"com.example.cobble", "Cobble"}});
    EXPECT_EQ(badge(), 2);
    const auto work = addGroup("Work");
    file("Driftwood", work.id);
    EXPECT_EQ(badge(), 1);
}

TEST_F(SettingsViewTest, creatingAGroupFromTheBottomBarSelectsIt) {
    auto* bar = view().newGroupBar();
    QTest::mouseClick(bar->newGroupButton(), Qt::LeftButton);
    ASSERT_TRUE(bar->isAdding());
    QTest::keyClicks(bar->nameField(), "  Work  ");
    QTest::keyClick(bar->nameField(), Qt::Key_Return);
    settle();
    const auto groups = viewModel->groups().value();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].name, "Work");
    EXPECT_EQ(groups[0].symbolName, "folder.fill");
    EXPECT_EQ(view().selection(), SettingsSidebarSelection::group(groups[0].id));
    ASSERT_NE(view().groupDetailView(), nullptr);
    EXPECT_FALSE(bar->isAdding());
    EXPECT_TRUE(bar->nameField()->text().isEmpty());
}

TEST_F(SettingsViewTest, aBlankNameKeepsTheFieldOpenWithItsMessageAndCancelClearsBoth) {
    auto* bar = view().newGroupBar();
    bar->startAdding();
    QTest::keyClicks(bar->nameField(), "   ");
    QTest::keyClick(bar->nameField(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(bar->isAdding());
    EXPECT_TRUE(bar->messageLabel()->isVisible());
    EXPECT_EQ(bar->messageLabel()->text(), "Give this Group a name.");
    EXPECT_TRUE(viewModel->groups().value().empty());

    QTest::mouseClick(bar->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(bar->isAdding());
    EXPECT_TRUE(bar->nameField()->text().isEmpty());
    EXPECT_FALSE(bar->messageLabel()->isVisible());
    EXPECT_FALSE(viewModel->createGroupError().value().has_value());
}

TEST_F(SettingsViewTest, anItemDroppedOnAGroupRowIsFiledThereAndOtherTextIsRefused) {
    view();
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    const auto target = centreOf(SettingsSidebarSelection::group(work.id));
    auto* viewport = view().sidebar()->viewport();

    EXPECT_FALSE(drop(viewport, "not an item", target));
    EXPECT_FALSE(drop(viewport, "Driftwood", target));
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 0u);

    const auto id = QString::fromStdString(row("Driftwood").id.rawValue().text());
    auto* workRow = view().sidebar()->rowFor(SettingsSidebarSelection::group(work.id));
    EXPECT_TRUE(dragEnterAccepted(viewport, id, target));
    EXPECT_TRUE(workRow->data(SidebarRowDelegate::dropTargetRole).toBool());
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
    EXPECT_FALSE(workRow->data(SidebarRowDelegate::dropTargetRole).toBool());

    EXPECT_FALSE(drop(viewport, id, centreOf(SettingsSidebarSelection::layout())));
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 0u);
    EXPECT_TRUE(drop(viewport, id, target));
    EXPECT_EQ(groupOf("Driftwood"), work.id);
}

TEST_F(SettingsViewTest,
       onlyUnresolvedAndHiddenGroupShowTheScreenRecordingSwitchWhichStaysOffIfRefused) {
    const auto work = addGroup("Work");
    EXPECT_TRUE(view().visibleScreenRecordingToggles().empty());
    view().select(SettingsSidebarSelection::group(work.id));
    EXPECT_TRUE(view().visibleScreenRecordingToggles().empty());
    view().select(SettingsSidebarSelection::hiddenGroup());
    EXPECT_EQ(view().visibleScreenRecordingToggles().size(), 1u);
    view().select(SettingsSidebarSelection::unresolved());
    auto toggles = view().visibleScreenRecordingToggles();
    ASSERT_EQ(toggles.size(), 1u);
    auto* toggle = toggles[0]->toggle();
    EXPECT_EQ(toggle->text(), "Show live Item snapshots (optional)");
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(screenRecording->requests, 1);
    EXPECT_FALSE(toggle->isChecked());

    screenRecording->grantsOnRequest = true;
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle->isChecked());
    // Turning it off asks nothing and shows the permission as it is.
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(screenRecording->requests, 2);
    EXPECT_TRUE(toggle->isChecked());
}

TEST_F(SettingsViewTest, theLoginSwitchBesideItTurnsTheLoginItemOnAndOff) {
    view().select(SettingsSidebarSelection::unresolved());
    LaunchAtLoginToggle* row = nullptr;
    for (auto* child : view().findChildren<QWidget*>())
        if (auto* found = dynamic_cast<LaunchAtLoginToggle*>(child); found && found->isVisible())
            row = found;
    ASSERT_TRUE(row);
    auto* toggle = row->toggle();
    EXPECT_EQ(toggle->text(), "Open Corvel at login");
    EXPECT_FALSE(toggle->isChecked());
    const auto loginItem = desktop->services().launchAtLogin;
    // On the switch itself: the row is wider than what it answers to.
    const QPoint onSwitch(10, toggle->height() / 2);
    QTest::mouseClick(toggle, Qt::LeftButton, {}, onSwitch);
    EXPECT_EQ(loginItem->status(), platform::LaunchAtLogin::Status::enabled);
    EXPECT_TRUE(toggle->isChecked());
    QTest::mouseClick(toggle, Qt::LeftButton, {}, onSwitch);
    EXPECT_EQ(loginItem->status(), platform::LaunchAtLogin::Status::notRegistered);
    EXPECT_FALSE(row->noteLabel()->isVisible());
}

TEST_F(SettingsViewTest, theHiddenGroupPaneNamesNoFileAPersonCannotOpen) {
    view().select(SettingsSidebarSelection::hiddenGroup());
    const auto labels = view().currentPane()->findChildren<QLabel*>();
    QStringList texts;
    for (auto* label : labels)
        texts << label->text();
    EXPECT_TRUE(texts.contains("The Hidden Group has no icon in the Menu Bar — open its Strip "
                               "from the Corvel icon's own menu."));
    EXPECT_FALSE(texts.join(" ").contains("CONTEXT.md"));
}

TEST_F(SettingsViewTest, aDeletedGroupsPaneSaysGroupRemovedUntilAnotherRowIsPicked) {
    const auto work = addGroup("Work");
    view().select(SettingsSidebarSelection::group(work.id));
    test::runTask(loop, viewModel->deleteGroup(work.id));
    settle();
    EXPECT_EQ(view().selection(), SettingsSidebarSelection::group(work.id));
    auto* removed = dynamic_cast<EmptyStateView*>(view().currentPane());
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->titleLabel()->text(), "Group Removed");
    view().sidebar()->setCurrentRow(0);
    EXPECT_EQ(view().selection(), SettingsSidebarSelection::layout());
}

TEST_F(SettingsViewTest, aFailedAssignmentIsToldInOneAlertWhoseDismissalClearsIt) {
    view();
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::hiddenRegionAtCapacity());
    file("Driftwood", work.id);
    ASSERT_EQ(alerts->shown().size(), 1u);
    EXPECT_EQ(alerts->shown()[0].messageText, "Couldn't Assign That Item");
    EXPECT_EQ(alerts->shown()[0].informativeText, "There is no room left to hide more Items.");
    EXPECT_EQ(alerts->shown()[0].buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(viewModel->assignmentError().value().has_value());
}

} // namespace
} // namespace corvel
