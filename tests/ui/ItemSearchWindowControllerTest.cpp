#include "UiHarness.h"
#include "ui/ItemSearchPanel.h"
#include "ui/StripPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvel;
using Event = SessionState::Event;
using Operation = test::ScriptedBackend::Operation;

namespace {

const GroupID tools{Uuid::literal("AAAAAAAA-0000-0000-0000-000000000001")};

class ItemSearchWindowControllerTest : public ::testing::Test {
  protected:
    ItemSearchWindowControllerTest() {
        ui.store->upsertGroup(Group{tools, "Tools", "hammer.fill", std::nullopt, 0});
        ui.file(ui.addMember(tools, "Weather", "com.example.driftwood"), tools);
        ui.addMember(tools, "Clipboard History", "com.example.cobble", false);
        ui.addMember(tools, "VPN", "org.example.harbor", false);
    }

    ItemSearchPanel& panel() const { return ui.search->panel(); }
    std::vector<std::string> rows() const {
        std::vector<std::string> names;
        const auto* model = panel().list().model();
        if (panel().list().isVisible())
            for (int row = 0; row < model->rowCount(); ++row)
                names.push_back(model->index(row, 0).data().toString().toStdString());
        return names;
    }
    void open(std::optional<ItemFrame> anchor = ItemFrame{600, 0, 24, 24}) {
        ui.search->setPendingAnchorFrame(anchor);
        ui.handle(Event::findItemRequested());
    }

    test::UiHarness ui;
};

} // namespace

TEST_F(ItemSearchWindowControllerTest, opensUnderTheIconKeptOnScreenAndFitsWhatTheTextFinds) {
    open(ItemFrame{1450, 0, 24, 24});
    ASSERT_TRUE(panel().isVisible());
    const auto screen = *ui.desktop->mainScreenFrame();
    EXPECT_EQ(panel().x(), int(screen.size.width) - ItemSearchPanel::width);
    EXPECT_EQ(rows(), (std::vector<std::string>{"Weather", "Clipboard History", "VPN"}));
    const QRect all = panel().geometry();

    QTest::keyClicks(&panel().field(), "clip");
    EXPECT_EQ(rows(), std::vector<std::string>{"Clipboard History"});
    const QRect one = panel().geometry();
    EXPECT_LT(one.height(), all.height());
    EXPECT_EQ(one.topLeft(), all.topLeft()) << "still hanging under the icon";
    QTest::keyClicks(&panel().field(), "x");
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(panel().findChild<QLabel*>()->text(), "No Matching Items");
    EXPECT_EQ(panel().geometry(), one);

    QTest::keyClick(&panel().field(), Qt::Key_Escape);
    ui.loop.runUntilIdle();
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(ui.interpreter->state().search(), SearchState::closed);
    EXPECT_EQ(ui.monitor->installed(), 0u);
}

TEST_F(ItemSearchWindowControllerTest, aClickOnARowPressesItsItemOnceTheSearchIsDown) {
    open();
    const auto& list = panel().list();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.model()->index(2, 0)).center());
    ui.loop.runUntilIdle();

    EXPECT_FALSE(panel().isVisible());
    ASSERT_EQ(ui.backend->count(Operation::press), 1u);
    EXPECT_EQ(ui.backend->calls().back().item->identity.title, "VPN");
}

TEST_F(ItemSearchWindowControllerTest,
       aSearchClosedWhileItsRowsAreReadNeverShowsAndAStripTakesItsPlace) {
    auto reading = ui.backend->holdNext(Operation::currentItems);
    open();
    ui.handle(Event::escapeKeyPressed());
    reading.open();
    ui.loop.runUntilIdle();
    EXPECT_FALSE(panel().isVisible());

    open();
    ASSERT_TRUE(panel().isVisible());
    ui.handle(Event::groupIconClicked(tools));
    EXPECT_FALSE(panel().isVisible());
    EXPECT_TRUE(ui.strip->panel().isVisible());
    EXPECT_EQ(ui.monitor->installed(), 1u) << "the Strip's own";
}
