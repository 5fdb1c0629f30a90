#include "domain/WellKnownGroup.h"
#include "settings/SettingsFixture.h"
#include "settings/SettingsViewModel.h"

#include <limits>

namespace corvel {
namespace {

using test::ScriptedBackend;
using Operation = ScriptedBackend::Operation;

class SettingsViewModelGroupsTest : public test::SettingsFixture {
  protected:
    void countGroupChanges(SettingsViewModel& viewModel) {
        viewModel.setOnGroupsChanged([this] { ++groupChanges; });
    }

    int groupChanges = 0;
};

// Construction and ordering

TEST_F(SettingsViewModelGroupsTest, StartsWithTheGroupsByOrderTiesInStoreOrderAndNothingElse) {
    putGroup("Late", 9);
    putGroup("First of two", 1);
    putGroup("Early", 0);
    putGroup("Second of two", 1);
    screenRecording->granted = true;

    const auto viewModel = makeViewModel();

    EXPECT_EQ(names(viewModel->groups().value()),
              (std::vector<std::string>{"Early", "First of two", "Second of two", "Late"}));
    EXPECT_TRUE(viewModel->rows().value().empty());
    EXPECT_EQ(viewModel->createGroupError().value(), std::nullopt);
    EXPECT_EQ(viewModel->assignmentError().value(), std::nullopt);
    EXPECT_TRUE(viewModel->isScreenRecordingGranted().value());
    EXPECT_FALSE(viewModel->onGroupsChanged());
}

TEST_F(SettingsViewModelGroupsTest, RefreshPicksUpGroupsChangedElsewhereAndTellsTheScreens) {
    const auto viewModel = makeViewModel();
    int notifications = 0;
    const auto subscription = viewModel->groups().observe([&](const auto&) { ++notifications; });
    putGroup("Made elsewhere", 3);

    viewModel->refresh();

    EXPECT_EQ(names(viewModel->groups().value()), (std::vector<std::string>{"Made elsewhere"}));
    EXPECT_EQ(notifications, 1);
}

// Creating

TEST_F(SettingsViewModelGroupsTest, CreatingTrimsTheNameAndPlacesTheGroupAfterTheHighestOrder) {
    putGroup("A", 0);
    putGroup("B", 5);
    putGroup("C", 2);
    const auto viewModel = makeViewModel();
    countGroupChanges(*viewModel);

    const auto created = viewModel->createGroup(" \n Work\t ", "not.a.palette.symbol");

    ASSERT_TRUE(created);
    EXPECT_EQ(created->name, "Work");
    EXPECT_EQ(created->order, 6);
    EXPECT_EQ(created->symbolName, "not.a.palette.symbol");
    EXPECT_EQ(created->shortcut, std::nullopt);
    ASSERT_EQ(store->groups().size(), 4u);
    EXPECT_EQ(store->groups().back().id, created->id);
    EXPECT_EQ(names(viewModel->groups().value()),
              (std::vector<std::string>{"A", "C", "B", "Work"}));
    EXPECT_EQ(groupChanges, 1);
}

TEST_F(SettingsViewModelGroupsTest, ABlankNameIsRefusedWithAMessageThatTheNextCreationClears) {
    const auto viewModel = makeViewModel();
    countGroupChanges(*viewModel);

    EXPECT_EQ(viewModel->createGroup(" \n\t \u3000", "folder.fill"), std::nullopt);
    EXPECT_EQ(viewModel->createGroupError().value(), "Give this Group a name.");
    EXPECT_TRUE(store->groups().empty());
    EXPECT_EQ(groupChanges, 0);

    EXPECT_TRUE(viewModel->createGroup("Work", "folder.fill"));
    EXPECT_EQ(viewModel->createGroupError().value(), std::nullopt);
}

TEST_F(SettingsViewModelGroupsTest, TheFirstGroupHasOrderZeroAndOneMadeAfterTheLargestComesLast) {
    EXPECT_EQ(makeViewModel()->createGroup("First", "folder.fill")->order, 0);
    putGroup("Edge", std::numeric_limits<std::int64_t>::max());
    putGroup("Low", std::numeric_limits<std::int64_t>::min());
    const auto viewModel = makeViewModel();

    const auto created = viewModel->createGroup("Work", "folder.fill");

    EXPECT_EQ(created->order, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(names(viewModel->groups().value()),
              (std::vector<std::string>{"Low", "First", "Edge", "Work"}));
}

// Editing in place

TEST_F(SettingsViewModelGroupsTest, RenamingStoresTheTrimmedNameInPlaceAndRefusesBlanksSilently) {
    const auto work = putGroup("Work", 0);
    putGroup("Play", 1);
    const auto viewModel = makeViewModel();
    countGroupChanges(*viewModel);

    EXPECT_FALSE(viewModel->renameGroup(work.id, " \n "));
    EXPECT_FALSE(viewModel->renameGroup(GroupID::random(), "Office"));
    EXPECT_EQ(store->groups().front().name, "Work");
    EXPECT_EQ(viewModel->createGroupError().value(), std::nullopt);
    EXPECT_EQ(groupChanges, 0);

    EXPECT_TRUE(viewModel->renameGroup(work.id, "  Office "));

    EXPECT_EQ(store->groups().front().name, "Office");
    EXPECT_EQ(store->groups().front().order, 0);
    EXPECT_EQ(names(viewModel->groups().value()), (std::vector<std::string>{"Office", "Play"}));
    EXPECT_EQ(groupChanges, 1);
}

TEST_F(SettingsViewModelGroupsTest, ASymbolChangeReplacesTheIconsButAShortcutChangeDoesNot) {
    const auto work = putGroup("Work", 0);
    const auto viewModel = makeViewModel();
    countGroupChanges(*viewModel);
    viewModel->setSymbol("wifi", GroupID::random());
    viewModel->setShortcut(KeyboardShortcut{0, 0}, GroupID::random());
    EXPECT_EQ(store->groups().size(), 1u);
    EXPECT_EQ(groupChanges, 0) << "a Group that no longer exists is not edited";

    viewModel->setSymbol("wifi", work.id);
    EXPECT_EQ(viewModel->groups().value().front().symbolName, "wifi");
    EXPECT_EQ(groupChanges, 1);

    const KeyboardShortcut commandK{40, KeyboardShortcut::command};
    viewModel->setShortcut(commandK, work.id);
    EXPECT_EQ(store->groups().front().shortcut, commandK);
    EXPECT_EQ(viewModel->groups().value().front().shortcut, commandK);
    EXPECT_EQ(groupChanges, 1);

    viewModel->setShortcut(std::nullopt, work.id);
    EXPECT_EQ(viewModel->groups().value().front().shortcut, std::nullopt);
    EXPECT_EQ(groupChanges, 1);
}

// Deleting

TEST_F(SettingsViewModelGroupsTest, DeletingUnassignsEveryMemberInStoreOrderThenRemovesTheGroup) {
    const auto work = putGroup("Work", 0);
    const auto play = putGroup("Play", 1);
    const auto first = observed("com.example.first", "First", 100);
    const auto gone = observed("com.example.gone", "Gone", 200);
    const auto last = observed("com.example.last", "Last", 300);
    const auto other = observed("com.example.other", "Other", 400);
    const auto firstItem = fileInStore(first, work.id);
    const auto goneItem = fileInStore(gone, work.id);
    fileInStore(other, play.id);
    const auto lastItem = fileInStore(last, work.id);
    backend->setItems({first, last, other}); // `gone` has left the menu bar
    const auto viewModel = makeViewModel();
    run(viewModel->refreshRows());
    backend->clearCalls();

    std::vector<std::string> movedOut;
    backend->onCall([&](const ScriptedBackend::Call& call) {
        if (call.operation != Operation::moveOutOfHiddenRegion)
            return;
        movedOut.push_back(call.item->identity.title);
        EXPECT_TRUE(storeHasGroup(work.id)) << "the Group is removed only after its members";
        if (call.item->identity.title == "Last") {
            EXPECT_EQ(stored(goneItem.id)->groupID, std::nullopt) << "members go in store order";
        }
    });
    bool rowsWereRefreshed = false;
    viewModel->setOnGroupsChanged([&] {
        rowsWereRefreshed =
            !viewModel->rows().value().empty() && viewModel->rowsIn(work.id).empty();
    });

    run(viewModel->deleteGroup(work.id));

    EXPECT_EQ(movedOut, (std::vector<std::string>{"First", "Last"}));
    EXPECT_EQ(backend->operations(),
              (std::vector<Operation>{Operation::moveOutOfHiddenRegion,
                                      Operation::moveOutOfHiddenRegion, Operation::currentItems}));
    EXPECT_FALSE(storeHasGroup(work.id));
    EXPECT_EQ(names(viewModel->groups().value()), (std::vector<std::string>{"Play"}));
    for (const auto& id : {firstItem.id, goneItem.id, lastItem.id})
        EXPECT_EQ(stored(id)->groupID, std::nullopt);
    EXPECT_EQ(stored(goneItem.id)->identity, gone.identity);
    EXPECT_EQ(viewModel->unresolvedRows().size(), 2u);
    EXPECT_EQ(viewModel->rowsIn(play.id).size(), 1u);
    EXPECT_TRUE(rowsWereRefreshed) << "the icons are re-placed once the rows are current";
}

TEST_F(SettingsViewModelGroupsTest, DeletingStillRemovesTheGroupWhenTheRowsCannotBeRead) {
    const auto work = putGroup("Work", 0);
    const auto viewModel = makeViewModel();
    countGroupChanges(*viewModel);
    backend->failNext(Operation::currentItems, BackendError::accessibilityPermissionDenied());

    run(viewModel->deleteGroup(work.id));

    EXPECT_FALSE(storeHasGroup(work.id));
    EXPECT_TRUE(viewModel->groups().value().empty());
    EXPECT_EQ(groupChanges, 1);
}

TEST_F(SettingsViewModelGroupsTest, TheHiddenGroupCannotBeDeleted) {
    const auto item = observed("com.example.secret", "Secret", 100);
    const auto record = fileInStore(item, WellKnownGroup::hidden);
    backend->setItems({item});
    const auto viewModel = makeViewModel();
    run(viewModel->refreshRows());
    backend->clearCalls();
    countGroupChanges(*viewModel);

    run(viewModel->deleteGroup(WellKnownGroup::hidden));

    EXPECT_TRUE(backend->calls().empty());
    EXPECT_EQ(stored(record.id)->groupID, WellKnownGroup::hidden);
    EXPECT_EQ(groupChanges, 0);
}

// Screen Recording

TEST_F(SettingsViewModelGroupsTest, TheScreenRecordingSwitchShowsWhatThePlatformAnswers) {
    const auto viewModel = makeViewModel();
    std::vector<bool> shown;
    const auto subscription = viewModel->isScreenRecordingGranted().observe(
        [&](bool granted) { shown.push_back(granted); });

    viewModel->requestScreenRecordingAccess();
    screenRecording->granted = true;
    viewModel->refreshScreenRecordingStatus();

    EXPECT_EQ(screenRecording->requests, 1);
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
}

} // namespace
} // namespace corvel
