#include "SettingsScreensFixture.h"
#include "backend/BackendError.h"
#include "settings_ui/LayoutView.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace corvel {
namespace {

using Operation = test::ScriptedBackend::Operation;

class LayoutPaneTest : public ::testing::Test, protected test::SettingsScreensFixture {
  protected:
    LayoutView& pane() {
        if (!pane_) {
            pane_ = std::make_unique<LayoutView>(*screens, [this] { ++newGroupRequests; });
            pane_->resize(520, 480);
            pane_->show();
            settle();
        }
        return *pane_;
    }

    QString idText(const std::string& title) const {
        return QString::fromStdString(row(title).id.rawValue().text());
    }

    ItemTile* tile(LayoutLane* lane, const std::string& title) {
        for (auto* tile : lane->tiles())
            if (tile->row().displayName == title)
                return tile;
        return nullptr;
    }

    std::optional<Item> stored(const std::string& title) const {
        const auto id = row(title).id;
        for (const auto& item : store->items())
            if (item.id == id)
                return item;
        return std::nullopt;
    }

    void startRenaming(ItemTile* tile) {
        std::unique_ptr<QMenu> menu(tile->nameField()->makeContextMenu(tile));
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), "Rename…");
        menu->actions()[0]->trigger();
    }

    std::unique_ptr<LayoutView> pane_;
    int newGroupRequests = 0;
};

TEST_F(LayoutPaneTest, withoutGroupsThePaneInvitesToMakeOneInsteadOfOfferingTheButton) {
    showItems({{"com.example.driftwood", "Driftwood"}});
    EXPECT_TRUE(pane().noGroupsPanel()->isVisible());
    EXPECT_FALSE(pane().newGroupButton()->isVisible());
    EXPECT_TRUE(pane().groupLanes().empty());
    QTest::mouseClick(pane().noGroupsPanel()->newGroupButton(), Qt::LeftButton);
    EXPECT_EQ(newGroupRequests, 1);

    addGroup("Work");
    EXPECT_FALSE(pane().noGroupsPanel()->isVisible());
    EXPECT_TRUE(pane().newGroupButton()->isVisible());
    EXPECT_EQ(pane().newGroupButton()->text(), "+ New Group");
    QTest::mouseClick(pane().newGroupButton(), Qt::LeftButton);
    EXPECT_EQ(newGroupRequests, 2);
}

TEST_F(LayoutPaneTest, lanesShowTheirCountsAndTheirEmptyTexts) {
    pane();
    showItems({{"com.example.driftwood", "Driftwood"}, {"com.example.cobble", "Cobble"}});
    const auto work = addGroup("Work");
    const auto chat = addGroup("Chat");
    file("Driftwood", work.id);
    file("Cobble", work.id);

    auto* visible = pane().visibleLane();
    EXPECT_TRUE(visible->emptyLabel()->isVisible());
    EXPECT_EQ(visible->emptyLabel()->text(), "Nothing here — every Item is in a Group.");
    EXPECT_EQ(visible->countLabel()->text(), "0");
    auto* workLane = pane().laneFor(work.id);
    EXPECT_EQ(workLane->countLabel()->text(), "2");
    EXPECT_EQ(workLane->tiles().size(), 2u);
    EXPECT_FALSE(workLane->emptyLabel()->isVisible());
    auto* chatLane = pane().laneFor(chat.id);
    EXPECT_EQ(chatLane->emptyLabel()->text(), "Drag an Item here to tuck it into this Group.");
    EXPECT_EQ(pane().groupLanes(), (std::vector<LayoutLane*>{workLane, chatLane}));
}

TEST_F(LayoutPaneTest, droppingATileOnLanesFilesMovesAndUnfilesIt) {
    pane();
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    const auto chat = addGroup("Chat");

    EXPECT_TRUE(drop(pane().laneFor(work.id), idText("Driftwood")));
    EXPECT_EQ(row("Driftwood").groupID, work.id);
    EXPECT_NE(tile(pane().laneFor(work.id), "Driftwood"), nullptr);
    EXPECT_EQ(tile(pane().visibleLane(), "Driftwood"), nullptr);

    EXPECT_TRUE(drop(pane().laneFor(chat.id), idText("Driftwood")));
    EXPECT_EQ(row("Driftwood").groupID, chat.id);

    EXPECT_TRUE(drop(pane().visibleLane(), idText("Driftwood")));
    EXPECT_FALSE(row("Driftwood").groupID.has_value());
    EXPECT_EQ(backend->count(Operation::moveOutOfHiddenRegion), 1u);
}

TEST_F(LayoutPaneTest, aLaneRefusesTextThatIsNotAnItemID) {
    pane();
    showItems({{"com.example.driftwood", "Driftwood"}});
    const auto work = addGroup("Work");
    auto* lane = pane().laneFor(work.id);
    EXPECT_FALSE(dragEnterAccepted(lane, "Driftwood"));
    EXPECT_FALSE(lane->isTargeted());
    EXPECT_FALSE(drop(lane, "Driftwood"));
    EXPECT_FALSE(drop(lane, idText("Driftwood") + "\n"));
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 0u);
    EXPECT_TRUE(dragEnterAccepted(lane, idText("Driftwood")));
    EXPECT_TRUE(lane->isTargeted());
}

TEST_F(LayoutPaneTest, aTileCarriesItsItemIDNamesItsApplicationAndShowsABadgeWhenItNeedsAHand) {
    pane();
    showItems({{"com.example.driftwood", "Driftwood"}});
    auto* shown = tile(pane().visibleLane(), "Driftwood");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->size(), QSize(88, 88));
    EXPECT_EQ(shown->dragPayload()->text(), idText("Driftwood"));
    EXPECT_EQ(shown->toolTip(), "com.example.driftwood");
    EXPECT_EQ(shown->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(shown->accessibleName(), "Driftwood");
    EXPECT_FALSE(shown->badge()->isVisible());

    const auto work = addGroup("Work");
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::geometryUnsettled());
    file("Driftwood", work.id);
    shown = tile(pane().laneFor(work.id), "Driftwood");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->badge()->isVisible());
    EXPECT_EQ(shown->badge()->toolTip(), "Corvel couldn't move Driftwood. Hold ⌘ and drag it to "
                                         "the left of the Corvel icon.");
}

TEST_F(LayoutPaneTest, aRenameAppliesTheTrimmedNameWhileTypingAndABlankOneGivesTheOwnNameBack) {
    pane();
    showItems({{"com.example.driftwood", "Driftwood"}});
    auto* shown = tile(pane().visibleLane(), "Driftwood");
    startRenaming(shown);
    auto* field = shown->nameField()->field();
    EXPECT_EQ(field->placeholderText(), "Name");
    EXPECT_EQ(field->text(), "Driftwood");
    field->clear();
    QTest::keyClicks(field, " Boat ");
    settle();
    ASSERT_TRUE(stored("Boat").has_value());
    EXPECT_EQ(stored("Boat")->displayName, "Boat");
    // The refresh the rename caused kept the tile and its open field.
    EXPECT_EQ(tile(pane().visibleLane(), "Boat"), shown);
    EXPECT_TRUE(shown->nameField()->isRenaming());

    // A blank draft is not applied while typing; Return passes the empty
    // name, so the Item gets its own name back.
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    settle();
    EXPECT_EQ(stored("Boat")->displayName, "Boat");
    QTest::keyClick(field, Qt::Key_Return);
    settle();
    EXPECT_FALSE(shown->nameField()->isRenaming());
    EXPECT_EQ(row(std::string("Driftwood")).displayName, "Driftwood");
    EXPECT_FALSE(stored("Driftwood")->displayName.has_value());
}

TEST_F(LayoutPaneTest, escapeEndsARenameWithoutRenaming) {
    pane();
    showItems({{"com.example.driftwood", "Driftwood"}});
    auto* shown = tile(pane().visibleLane(), "Driftwood");
    QTest::mouseDClick(shown->nameField()->label(), Qt::LeftButton);
    ASSERT_TRUE(shown->nameField()->isRenaming());
    QTest::keyClick(shown->nameField()->field(), Qt::Key_Escape);
    EXPECT_FALSE(shown->nameField()->isRenaming());
    // From the keyboard: Return on the focused tile, then Escape.
    QTest::keyClick(shown, Qt::Key_Return);
    ASSERT_TRUE(shown->nameField()->isRenaming());
    QTest::keyClick(shown->nameField()->field(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(shown->nameField()->isRenaming());
    // Nothing was renamed, so the Item was never written.
    EXPECT_FALSE(stored("Driftwood").has_value());
}

TEST_F(LayoutPaneTest, thePaneReadsTheRowsAgainEachTimeItAppears) {
    pane();
    EXPECT_TRUE(pane().visibleLane()->tiles().empty());
    backend->setItems({ObservedItem{BackendItemToken(Uuid::random()),
                                    {"com.example.driftwood", "Driftwood"},
                                    false,
                                    ItemFrame{600, 0, 22, 24}}});
    pane().hide();
    pane().show();
    settle();
    EXPECT_EQ(pane().visibleLane()->tiles().size(), 1u);
}

} // namespace
} // namespace corvel

namespace corvel {
namespace {

TEST(AppIconProviderTest, iconsComeFromTheWorkspaceAndAreAbsentForUnknownApplications) {
    async::ManualLoop loop;
    AppIconProvider icons(
        sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::defaultScenario()));
    EXPECT_FALSE(icons.icon("").has_value());
    EXPECT_FALSE(icons.icon("com.example.nowhere").has_value());
    const auto found = icons.icon("com.example.driftwood");
    ASSERT_TRUE(found.has_value());
    EXPECT_FALSE(found->isNull());
    EXPECT_FALSE(icons.iconOrPlaceholder("com.example.nowhere", 40).isNull());
}

} // namespace
} // namespace corvel
