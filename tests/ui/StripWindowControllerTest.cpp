#include "UiHarness.h"
#include "support/RunTask.h"
#include "ui/StripKeyboard.h"
#include "ui/StripPanel.h"
#include "ui/StripPlacement.h"
#include "ui/StripRowButton.h"
#include "ui/StripRowImageSize.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvel;
using Event = SessionState::Event;
using Operation = test::ScriptedBackend::Operation;

namespace {

const GroupID groupA{Uuid::literal("AAAAAAAA-0000-0000-0000-000000000001")};
const GroupID groupB{Uuid::literal("BBBBBBBB-0000-0000-0000-000000000002")};

class StripWindowControllerTest : public ::testing::Test {
  protected:
    QList<StripRowButton*> rowButtons() const {
        return ui.strip->panel().content()->findChildren<StripRowButton*>();
    }
    StripRowButton* rowTitled(const std::string& title) const {
        for (auto* button : rowButtons()) {
            if (button->text().toStdString() == title)
                return button;
        }
        return nullptr;
    }
    // A point on another application's item in the simulated menu bar.
    platform::Point foreignItemCentre() const {
        for (const auto& item : ui.desktop->itemsLeftToRight()) {
            if (!item.isLeftover && item.name.rfind("com.apple.", 0) != 0 &&
                item.frame.size.width > 0)
                return {item.frame.midX(), item.frame.origin.y + item.frame.size.height / 2};
        }
        ADD_FAILURE() << "no foreign item in the bar";
        return {};
    }
    void open(const GroupID& group, std::optional<ItemFrame> anchor = std::nullopt) {
        if (anchor)
            ui.strip->setPendingAnchorFrame(anchor);
        ui.handle(Event::groupIconClicked(group));
    }
    // A key as the keyboard delivers it: to the widget that holds the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focused = ui.strip->panel().focusWidget();
        QTest::keyClick(focused ? focused : &ui.strip->panel(), key, modifiers);
        ui.loop.runUntilIdle();
    }
    std::string focusedTitle() const {
        auto* row = ui.strip->panel().focusedRow();
        return row ? row->text().toStdString() : std::string();
    }
    bool isOpenFor(const GroupID& group) const {
        return ui.interpreter->state().strip() == StripState::open(group);
    }

    test::UiHarness ui;
};

} // namespace

TEST(StripPlacement, thePanelHangsFourPointsUnderTheIconInBottomLeftCoordinates) {
    ItemFrame icon{1000, 0, 24, 24};
    auto origin = StripPlacement::frameOrigin(icon, 900, 100);
    ASSERT_TRUE(origin);
    EXPECT_EQ(*origin, (platform::Point{1000, 772}));
    EXPECT_FALSE(StripPlacement::frameOrigin(std::nullopt, 900, 100));
    EXPECT_FALSE(StripPlacement::frameOrigin(icon, std::nullopt, 100));
}

TEST(StripRowImageSize, aSnapshotWithoutHeightHasNoSize) {
    EXPECT_FALSE(StripRowImageSize::forSnapshot(20, 0));
    EXPECT_FALSE(StripRowImageSize::forSnapshot(20, -4));
}

TEST(StripKeyboard, withoutAUsableFocusArrowsStartAtAnEndPressDoesNothingAndEscapeCloses) {
    using Key = StripKeyboard::Key;
    using Kind = StripKeyboard::Response::Kind;
    using R = StripKeyboard::Response;
    EXPECT_EQ(StripKeyboard::respond(Key::next, std::nullopt, 3), (R{Kind::focus, 0}));
    EXPECT_EQ(StripKeyboard::respond(Key::previous, std::nullopt, 3), (R{Kind::focus, 2}));
    EXPECT_EQ(StripKeyboard::respond(Key::press, std::nullopt, 3), (R{Kind::nothing}));
    // A focus beyond the rows, left by a longer Strip, is no focus.
    EXPECT_EQ(StripKeyboard::respond(Key::press, 5, 3), (R{Kind::nothing}));
    EXPECT_EQ(StripKeyboard::respond(Key::next, std::nullopt, 0), (R{Kind::nothing}));
    EXPECT_EQ(StripKeyboard::respond(Key::escape, std::nullopt, 0), (R{Kind::close}));
    EXPECT_EQ(StripKeyboard::respond(Key::other, 0, 3), (R{Kind::passOn}));
}

TEST_F(StripWindowControllerTest, anEmptyGroupOrAFailedFetchShowsOnlyTheEmptyTextInGrey) {
    open(groupA);

    ASSERT_TRUE(ui.stripShown());
    auto labels = ui.strip->panel().content()->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), "No Items in this Group");
    EXPECT_EQ(labels[0]->palette().color(QPalette::WindowText),
              labels[0]->palette().color(QPalette::PlaceholderText));
    EXPECT_TRUE(rowButtons().empty());
    EXPECT_EQ(ui.strip->panel().width(), 200);
    EXPECT_GE(ui.strip->panel().height(), 32);

    open(groupA); // closes
    ui.addMember(groupA, "Anchor Light");
    ui.backend->failNext(Operation::currentItems, BackendError::itemNoLongerExists());
    open(groupA);
    ASSERT_TRUE(ui.stripShown());
    EXPECT_TRUE(rowButtons().empty());
    EXPECT_EQ(ui.strip->panel().content()->findChildren<QLabel*>().size(), 1);
}

TEST_F(StripWindowControllerTest, aStripGrowsWithTheLongestTitleAndTheNumberOfRows) {
    ui.addMember(groupA, "Dew");
    open(groupA);
    ASSERT_EQ(ui.rowTitles(), std::vector<std::string>{"Dew"});
    QSize oneShortRow = ui.strip->panel().size();
    EXPECT_EQ(oneShortRow.width(), 200);
    EXPECT_GE(oneShortRow.height(), 32);

    ui.addMember(groupA, "A considerably longer title than any menu bar item should have");
    ui.addMember(groupA, "Mist");
    open(groupA); // closes
    open(groupA);
    ASSERT_EQ(ui.rowTitles().size(), 3u);
    QSize threeRows = ui.strip->panel().size();
    EXPECT_GT(threeRows.width(), 200);
    EXPECT_GT(threeRows.width(), rowTitled("Mist")->sizeHint().width() + 16);
    int rowHeight = rowTitled("Dew")->sizeHint().height();
    EXPECT_EQ(threeRows.height() - oneShortRow.height(), 2 * (rowHeight + 2));
}

TEST_F(StripWindowControllerTest, withoutAnAnchorThePanelIsCentredOnTheScreen) {
    open(groupA);

    QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    QPoint panelCentre = ui.strip->panel().geometry().center();
    EXPECT_LE((screenCentre - panelCentre).manhattanLength(), 2);
}

TEST_F(StripWindowControllerTest, switchingGroupsReplacesTheRowsMovesThePanelAndKeepsOneMonitor) {
    ui.addMember(groupA, "Anchor Light");
    ui.addMember(groupB, "Beacon");
    ui.addMember(groupB, "Buoy");
    open(groupA, ItemFrame{1100, 0, 24, 24});
    ASSERT_EQ(ui.rowTitles(), std::vector<std::string>{"Anchor Light"});
    QPoint underA = ui.strip->panel().pos();

    open(groupB, ItemFrame{1200, 0, 24, 24});

    EXPECT_TRUE(ui.stripShown());
    EXPECT_EQ(ui.rowTitles(), (std::vector<std::string>{"Beacon", "Buoy"}));
    EXPECT_EQ(ui.strip->panel().pos().x(), 1200);
    EXPECT_NE(ui.strip->panel().pos(), underA);
    EXPECT_EQ(ui.monitor->installed(), 1u);
    EXPECT_EQ(ui.monitor->installedMask(), 10u);
}

TEST_F(StripWindowControllerTest, escapeClosesTheStripAndOtherKeysPassOn) {
    open(groupA);

    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&ui.strip->panel(), &letter);
    ui.loop.runUntilIdle();
    EXPECT_FALSE(letter.isAccepted());
    EXPECT_TRUE(ui.stripShown());
    EXPECT_TRUE(isOpenFor(groupA));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&ui.strip->panel(), &escape);
    ui.loop.runUntilIdle();
    EXPECT_TRUE(escape.isAccepted());
    EXPECT_FALSE(ui.stripShown());
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
    EXPECT_EQ(ui.monitor->installed(), 0u);
}

TEST_F(StripWindowControllerTest, aStripTakesTheKeyboardAndArrowsAndTabMoveTheFocusBetweenRows) {
    ui.addMember(groupA, "Anchor Light");
    ui.addMember(groupA, "Beacon");
    ui.addMember(groupA, "Buoy");
    open(groupA);
    EXPECT_EQ(focusedTitle(), "Anchor Light");

    press(Qt::Key_Down);
    EXPECT_EQ(focusedTitle(), "Beacon");
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedTitle(), "Buoy");
    press(Qt::Key_Down);
    EXPECT_EQ(focusedTitle(), "Anchor Light");
    press(Qt::Key_Up);
    EXPECT_EQ(focusedTitle(), "Buoy");
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusedTitle(), "Beacon");
    // A combination is not the Strip's: the focus stays.
    press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(focusedTitle(), "Beacon");
    EXPECT_EQ(ui.backend->count(Operation::press), 0u);
    EXPECT_TRUE(isOpenFor(groupA));
}

TEST_F(StripWindowControllerTest, returnAndSpacePressTheFocusedRowAsAClickDoes) {
    ui.addMember(groupA, "Anchor Light");
    auto beacon = ui.addMember(groupA, "Beacon");
    open(groupA);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_FALSE(ui.stripShown());
    ASSERT_EQ(ui.backend->count(Operation::press), 1u);
    EXPECT_EQ(ui.backend->calls().back().item->id, beacon.id);

    open(groupA);
    EXPECT_EQ(focusedTitle(), "Anchor Light");
    press(Qt::Key_Space);
    EXPECT_FALSE(ui.stripShown());
    EXPECT_EQ(ui.backend->count(Operation::press), 2u);
}

TEST_F(StripWindowControllerTest, aClickInAnotherApplicationClosesTheStripAndAClickInItDoesNot) {
    ui.addMember(groupA, "Anchor Light");
    open(groupA);

    QTest::mouseClick(&ui.strip->panel(), Qt::LeftButton, {}, QPoint(150, 4));
    ui.loop.runUntilIdle();
    EXPECT_TRUE(ui.stripShown());
    EXPECT_TRUE(isOpenFor(groupA));

    ui.desktop->click(foreignItemCentre(), platform::MouseButton::right);
    ui.loop.runUntilIdle();
    EXPECT_FALSE(ui.stripShown());
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
    EXPECT_EQ(ui.monitor->installed(), 0u);

    open(groupA);
    ui.desktop->click(foreignItemCentre(), platform::MouseButton::left);
    ui.loop.runUntilIdle();
    EXPECT_FALSE(ui.stripShown());
}

TEST_F(StripWindowControllerTest, closingWhenNothingIsOpenChangesNothing) {
    ui.strip->stripEffectInterpreterDidRequestCloseStrip(*ui.interpreter);
    EXPECT_EQ(ui.monitor->removeCalls(), 0u);
    EXPECT_FALSE(ui.strip->openGroup());
    EXPECT_FALSE(ui.stripShown());

    open(groupA);
    open(groupA); // the second click closes
    auto removals = ui.monitor->removeCalls();
    ui.strip->stripEffectInterpreterDidRequestCloseStrip(*ui.interpreter);
    EXPECT_EQ(ui.monitor->removeCalls(), removals);
    EXPECT_EQ(ui.strip->openGroup(), groupA);
}

TEST_F(StripWindowControllerTest, escapeDuringASlowRowFetchLeavesNoStripOnScreen) {
    ui.addMember(groupA, "Anchor Light");
    auto gate = ui.backend->holdNext(Operation::currentItems);
    open(groupA);
    ASSERT_TRUE(gate.isReached());

    ui.handle(Event::escapeKeyPressed());
    gate.open();
    ui.loop.runUntilIdle();

    EXPECT_FALSE(ui.stripShown());
    EXPECT_EQ(ui.monitor->installed(), 0u);
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
}

TEST_F(StripWindowControllerTest, aRowClickClosesTheStripThenPressesThatItemOnce) {
    ui.addMember(groupA, "Anchor Light");
    auto clicked = ui.addMember(groupA, "Beacon");
    open(groupA);
    std::vector<bool> shownAtPress;
    ui.backend->onCall([&](const test::ScriptedBackend::Call& call) {
        if (call.operation == Operation::press)
            shownAtPress.push_back(ui.stripShown());
    });

    StripRowButton* row = rowTitled("Beacon");
    ASSERT_NE(row, nullptr);
    ItemID rowID = *row->itemID();
    QTest::mouseClick(row, Qt::LeftButton);
    ui.loop.runUntilIdle();

    EXPECT_EQ(shownAtPress, std::vector<bool>{false});
    ASSERT_EQ(ui.backend->count(Operation::press), 1u);
    EXPECT_EQ(ui.backend->calls().back().item->id, clicked.id);
    EXPECT_EQ(ui.interpreter->state().reveal(), RevealState::idle());
    EXPECT_EQ(ui.strip->observedItem(rowID), clicked);
}

TEST_F(StripWindowControllerTest, snapshotsBecomeTemplateImagesEighteenPointsHigh) {
    ui.addMember(groupA, "Wide", "com.example.driftwood", false);
    ui.addMember(groupA, "Tall", "com.example.driftwood", false);
    ui.backend->queueCaptureResult(CaptureResult::captured({{}, test::pngOfSize(36, 18)}));
    ui.backend->queueCaptureResult(CaptureResult::captured({{}, test::pngOfSize(20, 40)}));
    open(groupA);

    auto* wide = rowTitled("Wide");
    auto* tall = rowTitled("Tall");
    ASSERT_TRUE(wide && tall);
    EXPECT_EQ(wide->iconSize(), QSize(36, 18));
    EXPECT_EQ(tall->iconSize(), QSize(9, 18));
    // Drawn like a menu bar glyph: the snapshot's black becomes the text colour.
    QImage glyph = wide->icon().pixmap(QSize(36, 18)).toImage();
    EXPECT_EQ(glyph.pixelColor(18, 9), wide->palette().color(QPalette::ButtonText));
}

TEST_F(StripWindowControllerTest, anUndecodableSnapshotFallsBackToTheApplicationsIcon) {
    ui.addMember(groupA, "Broken", "com.example.driftwood", false);
    ui.addMember(groupA, "Gone", "com.example.not-running", false);
    ui.backend->setCaptureResult(CaptureResult::captured({{}, {'n', 'o', 't', 'p', 'n', 'g'}}));
    open(groupA);

    auto running = ui.desktop->runningApplicationsWithBundleIdentifier("com.example.driftwood");
    ASSERT_FALSE(running.empty());
    ASSERT_TRUE(running.front().icon);
    auto* broken = rowTitled("Broken");
    ASSERT_NE(broken, nullptr);
    EXPECT_FALSE(broken->icon().isNull());
    EXPECT_EQ(
        broken->iconSize(),
        QSizeF(running.front().icon->size().width, running.front().icon->size().height).toSize());
    EXPECT_TRUE(rowTitled("Gone")->icon().isNull());
}

TEST_F(StripWindowControllerTest, gesturesBeforeTheInterpreterIsSetAreDropped) {
    test::UiHarness bare;
    bare.strip->setInterpreter(nullptr);
    bare.strip->stripEffectInterpreter(*bare.interpreter, groupA);
    bare.loop.runUntilIdle();
    ASSERT_TRUE(bare.stripShown());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&bare.strip->panel(), &escape);
    bare.loop.runUntilIdle();
    EXPECT_TRUE(bare.stripShown());
}
