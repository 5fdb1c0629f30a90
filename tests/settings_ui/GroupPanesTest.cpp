#include "SettingsScreensFixture.h"
#include "backend/BackendError.h"
#include "engine/GroupShortcuts.h"
#include "settings_ui/GroupDetailView.h"
#include "settings_ui/UnresolvedItemsView.h"

#include <QTest>
#include <gtest/gtest.h>

namespace corvel {
namespace {

using Operation = test::ScriptedBackend::Operation;

class GroupPanesTest : public ::testing::Test, protected test::SettingsScreensFixture {
  protected:
    std::unique_ptr<GroupDetailView> detail(const Group& group) {
        auto pane = std::make_unique<GroupDetailView>(group, *screens);
        pane->resize(520, 700);
        pane->show();
        settle();
        return pane;
    }

    std::unique_ptr<UnresolvedItemsView> unresolved() {
        auto pane = std::make_unique<UnresolvedItemsView>(*screens);
        pane->show();
        settle();
        return pane;
    }

    std::optional<Group> group(const GroupID& id) const {
        for (const auto& group : viewModel->groups().value())
            if (group.id == id)
                return group;
        return std::nullopt;
    }

    static void choose(AssignableItemRowView* row, const QString& choice) {
        const int index = row->picker()->findText(choice);
        ASSERT_GE(index, 0) << choice.toStdString();
        row->picker()->setCurrentIndex(index);
        Q_EMIT row->picker()->activated(index);
    }
};

TEST_F(GroupPanesTest, aGroupWithoutItemsSaysHowToFileOneAndAnItemDroppedOnItIsFiled) {
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    auto pane = detail(work);
    EXPECT_TRUE(pane->noItemsLabel()->isVisible());
    EXPECT_EQ(pane->noItemsLabel()->text(),
              "No Items yet — drag one here, or use a Picker in Unresolved Items.");
    EXPECT_FALSE(pane->itemRows()->isVisible());

    EXPECT_FALSE(drop(pane->viewport(), "Driftwood"));
    EXPECT_FALSE(row("Driftwood").groupID.has_value());
    EXPECT_TRUE(
        drop(pane->viewport(), QString::fromStdString(row("Driftwood").id.rawValue().text())));
    EXPECT_EQ(row("Driftwood").groupID, work.id);
    EXPECT_EQ(pane->itemRows()->rowViews().size(), 1u);
    EXPECT_FALSE(pane->noItemsLabel()->isVisible());
}

TEST_F(GroupPanesTest, theNameFieldRenamesWhileTypingAndAClearedFieldKeepsTheLastName) {
    const auto work = addGroup("Work");
    auto pane = detail(work);
    EXPECT_EQ(pane->nameField()->placeholderText(), "Group name");
    pane->nameField()->selectAll();
    QTest::keyClicks(pane->nameField(), "Chat");
    EXPECT_EQ(group(work.id)->name, "Chat");
    pane->nameField()->selectAll();
    QTest::keyClick(pane->nameField(), Qt::Key_Backspace);
    QTest::keyClick(pane->nameField(), Qt::Key_Return);
    EXPECT_EQ(group(work.id)->name, "Chat");
}

TEST_F(GroupPanesTest, pickingASymbolMarksOnlyItsCellAndStoresIt) {
    const auto work = addGroup("Work", "folder.fill");
    auto pane = detail(work);
    auto* picker = pane->symbolPicker();
    ASSERT_EQ(picker->cells().size(), 24u);
    EXPECT_EQ(picker->markedCells(), std::vector<QAbstractButton*>{picker->cells().front()});
    QTest::mouseClick(picker->cells().back(), Qt::LeftButton);
    EXPECT_EQ(group(work.id)->symbolName, "wifi");
    EXPECT_EQ(picker->markedCells(), std::vector<QAbstractButton*>{picker->cells().back()});
    picker->setSelection("sparkles");
    EXPECT_TRUE(picker->markedCells().empty());
}

TEST_F(GroupPanesTest, theDeleteConfirmationNamesTheGroupAndCancelKeepsIt) {
    const auto work = addGroup("Work");
    auto pane = detail(work);
    alerts->queueAnswer(platform::Alert::firstButtonReturn + 1);
    QTest::mouseClick(pane->deleteButton(), Qt::LeftButton);
    settle();
    ASSERT_EQ(alerts->shown().size(), 1u);
    EXPECT_EQ(alerts->shown()[0].messageText,
              "Delete \"Work\"? Its Items become Unresolved and return to the visible Menu Bar.");
    EXPECT_EQ(alerts->shown()[0].buttons, (std::vector<std::string>{"Delete Group", "Cancel"}));
    EXPECT_TRUE(group(work.id).has_value());

    QTest::mouseClick(pane->deleteButton(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(group(work.id).has_value());
}

TEST_F(GroupPanesTest, aRowsPickerMovesTheItemOrTakesItOutOfItsGroup) {
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    const auto chat = addGroup("Chat");
    file("Driftwood", work.id);
    auto pane = detail(work);
    ASSERT_EQ(pane->itemRows()->rowViews().size(), 1u);
    auto* shown = pane->itemRows()->rowViews()[0];
    EXPECT_EQ(shown->picker()->accessibleName(), "Assign to");
    EXPECT_EQ(shown->picker()->currentText(), "Work");
    EXPECT_EQ(shown->picker()->count(), 3);

    choose(shown, "Chat");
    settle();
    EXPECT_EQ(row("Driftwood").groupID, chat.id);
    EXPECT_TRUE(pane->itemRows()->rowViews().empty());

    auto chatPane = detail(chat);
    choose(chatPane->itemRows()->rowViews().at(0), "Unresolved");
    settle();
    EXPECT_FALSE(row("Driftwood").groupID.has_value());
}

TEST_F(GroupPanesTest, unresolvedForAnUnfiledItemDoesNothingAndOnceAllAreFiledThePaneSaysSo) {
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    auto pane = unresolved();
    ASSERT_EQ(pane->itemRows()->rowViews().size(), 1u);
    choose(pane->itemRows()->rowViews()[0], "Unresolved");
    settle();
    EXPECT_EQ(backend->count(Operation::moveOutOfHiddenRegion), 0u);
    EXPECT_TRUE(store->items().empty());
    EXPECT_NE(pane->currentWidget(), pane->emptyState());
    choose(pane->itemRows()->rowViews().at(0), "Work");
    settle();
    EXPECT_EQ(row("Driftwood").groupID, work.id);
    EXPECT_EQ(pane->currentWidget(), pane->emptyState());
    EXPECT_EQ(pane->emptyState()->titleLabel()->text(), "Nothing Unresolved");
    EXPECT_EQ(pane->emptyState()->accessibleDescription(),
              "Every Menu Bar Item Corvel can see right now is filed into a Group.");
}

TEST_F(GroupPanesTest, aRowThatNeedsAHandShowsTheWarningNamingTheItem) {
    showItems({{"com.example.driftwood", "Driftwood"}, {"com.example.cobble", "Cobble"}});
    const auto work = addGroup("Work");
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::geometryUnsettled());
    file("Driftwood", work.id);
    file("Cobble", work.id);
    auto pane = detail(work);
    const auto& rows = pane->itemRows()->rowViews();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0]->warning()->isVisible());
    EXPECT_EQ(rows[0]->warning()->accessibleName(), "Needs a hand");
    EXPECT_EQ(rows[0]->warning()->toolTip(),
              "Corvel couldn't move Driftwood. Hold ⌘ and drag it to the left of the Corvel icon.");
    EXPECT_FALSE(rows[1]->warning()->isVisible());
}

TEST_F(GroupPanesTest, theRecorderCapturesAKeyIgnoresOthersAndEscapeCancels) {
    const auto work = addGroup("Work");
    auto pane = detail(work);
    auto* recorder = pane->shortcutRecorder();
    auto* button = recorder->recordButton();
    EXPECT_GE(button->minimumWidth(), 140);
    EXPECT_EQ(button->text(), "Record Shortcut…");
    EXPECT_FALSE(recorder->clearButton()->isVisible());
    EXPECT_EQ(recorder->hintLabel()->text(), "If nothing happens when you use this shortcut, "
                                             "another app or macOS may already own it.");

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->text(), "Press a key combination…");
    QTest::keyClick(button, Qt::Key_Escape);
    EXPECT_EQ(button->text(), "Record Shortcut…");

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_F1);
    EXPECT_EQ(button->text(), "Press a key combination…");
    // Shift alone makes no shortcut macOS would register.
    QTest::keyClick(button, Qt::Key_K, Qt::ShiftModifier);
    EXPECT_EQ(button->text(), "Record Shortcut…");
    EXPECT_FALSE(group(work.id)->shortcut.has_value());
    EXPECT_TRUE(recorder->conflictLabel()->isVisible());
    EXPECT_TRUE(recorder->hintLabel()->isVisible());

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(button->text(), "⌃⇧K");
    EXPECT_FALSE(recorder->conflictLabel()->isVisible());
    ASSERT_TRUE(group(work.id)->shortcut.has_value());
    EXPECT_EQ(group(work.id)->shortcut->keyCode, 40);
    EXPECT_EQ(group(work.id)->shortcut->modifierFlags, 0x60000u);
    EXPECT_TRUE(recorder->clearButton()->isVisible());

    QTest::mouseClick(recorder->clearButton(), Qt::LeftButton);
    EXPECT_FALSE(group(work.id)->shortcut.has_value());
    EXPECT_EQ(button->text(), "Record Shortcut…");
}

TEST_F(GroupPanesTest, thePaneSaysWhyAShortcutIsNotRegisteredAndRecordingSilencesEveryShortcut) {
    viewModel->setGroupShortcuts(
        GroupShortcuts::create(HotKeyRegistry::create(desktop, log), log, nullptr));
    const auto work = addGroup("Work");
    const auto media = addGroup("Media");
    viewModel->setShortcut(KeyboardShortcut{18, 0xC0000}, media.id); // ⌃⌥1
    auto pane = detail(work);
    auto* button = pane->shortcutRecorder()->recordButton();
    EXPECT_FALSE(pane->shortcutView()->refusalLabel()->isVisible());

    // Quillfeather holds ⌃⌥N on the simulated desktop.
    viewModel->setShortcut(KeyboardShortcut{45, 0xC0000}, work.id);
    EXPECT_EQ(desktop->registeredHotKeys().size(), 1u);
    EXPECT_TRUE(pane->shortcutView()->refusalLabel()->isVisible());
    EXPECT_EQ(pane->shortcutView()->refusalLabel()->text(),
              "Another application uses this shortcut.");
    EXPECT_TRUE(pane->shortcutRecorder()->hintLabel()->isVisible());

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(desktop->registeredHotKeys().empty());
    QTest::keyClick(button, Qt::Key_2, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(pane->shortcutView()->refusalLabel()->isVisible());
    EXPECT_EQ(desktop->registeredHotKeys().size(), 2u);
}

TEST_F(GroupPanesTest, aShortcutAnotherGroupHoldsIsRefusedWithTheOwnersName) {
    const auto work = addGroup("Work");
    const auto chat = addGroup("Chat");
    viewModel->setShortcut(KeyboardShortcut{40, KeyboardShortcut::control}, work.id);
    auto pane = detail(chat);
    auto* recorder = pane->shortcutRecorder();
    QTest::mouseClick(recorder->recordButton(), Qt::LeftButton);
    QTest::keyClick(recorder->recordButton(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(recorder->conflictLabel()->isVisible());
    EXPECT_EQ(recorder->conflictLabel()->text(), "That shortcut is already used by \"Work.\"");
    EXPECT_FALSE(group(chat.id)->shortcut.has_value());
}

} // namespace
} // namespace corvel
