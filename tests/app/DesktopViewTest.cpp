#include "app/DesktopView.h"

#include "app/QtLoop.h"
#include "app/RunQt.h"
#include "app/ScenePhotographer.h"
#include "app/SoftShadow.h"
#include "async/ManualLoop.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"

#include <QPainter>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

struct DesktopFixture : ::testing::Test {
    app::QtLoop loop;
    sim::Scenario scenario = sim::ScenarioLoader::defaultScenario();
    std::shared_ptr<sim::SimulatedDesktop> desktop = sim::SimulatedDesktop::create(loop, scenario);
    app::DesktopView view{loop, desktop, scenario.screen, 0, app::ScreenMapping{{0, 0}, 0.5}};

    sim::BarItem itemOf(const std::string& application) const {
        const auto pid = desktop->pidOf(application);
        for (const auto& item : desktop->itemsLeftToRight())
            if (item.creatorPid == *pid)
                return item;
        throw std::logic_error("no item");
    }
    // Where a simulated point lies in the view, which shows it at half size.
    QPoint inView(platform::Point point) const {
        return QPointF(point.x * 0.5, point.y * 0.5).toPoint();
    }
    QPoint centreInView(const sim::BarItem& item) const {
        return inView({item.frame.midX(), item.frame.origin.y + item.frame.size.height / 2});
    }
};

} // namespace

TEST_F(DesktopFixture, aClickOnAnotherApplicationsItemOpensItsMenuAndEscapeClosesIt) {
    const auto item = itemOf("com.example.driftwood");
    QTest::mouseClick(&view, Qt::LeftButton, {}, centreInView(item));
    ASSERT_TRUE(test::runQtUntil([&] { return desktop->openMenus().size() == 1; }));
    EXPECT_EQ(desktop->openMenus().front().itemWindowNumber, item.windowNumber);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_TRUE(test::runQtUntil([&] { return desktop->openMenus().empty(); }));
}

TEST_F(DesktopFixture, aCommandDragDropsTheItemBesideTheOneUnderThePointer) {
    const auto moved = itemOf("com.example.driftwood");
    const auto target = itemOf("net.example.orrery");
    QTest::mousePress(&view, Qt::LeftButton, Qt::ControlModifier, centreInView(moved));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::ControlModifier,
                        inView({target.frame.minX() + 2, 12}));
    auto at = [&](std::uint32_t window) {
        const auto items = desktop->itemsLeftToRight();
        return std::find_if(items.begin(), items.end(),
                            [&](const auto& i) { return i.windowNumber == window; }) -
               items.begin();
    };
    // The window server puts it down a moment later.
    EXPECT_TRUE(
        test::runQtUntil([&] { return at(moved.windowNumber) + 1 == at(target.windowNumber); }));
    EXPECT_EQ(desktop->counters().drags, 1);
}

TEST_F(DesktopFixture, aPictureOfTheSceneShowsTheWholeDisplayAtTwicePointSize) {
    const QImage picture = app::ScenePhotographer(view).photograph();
    EXPECT_EQ(picture.size(), QSize(1512 * 2, 982 * 2));
    // An item of another application is drawn in its own colour.
    const auto item = itemOf("com.example.driftwood");
    const QColor drawn = picture.pixelColor(QPointF(item.frame.midX() * 2 - 8, 24).toPoint());
    EXPECT_EQ(drawn, QColor(item.color[0], item.color[1], item.color[2]));
    if (const char* keep = std::getenv("CORVEL_KEEP_PICTURES"))
        picture.save(QString(keep) + "/desktop-view.png");
}

namespace {

// A window that remembers how finely it was last asked to draw itself.
class ProbeWindow final : public QWidget {
  public:
    ProbeWindow() : QWidget(nullptr, Qt::Window) {}
    double drawnAtRatio = 0;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawnAtRatio = painter.deviceTransform().m11();
        painter.fillRect(rect(), Qt::white);
    }
};

} // namespace

TEST(ScenePhotographer, aWindowIsDrawnAtThePicturesPixelRatioUnderATitleBarWithItsButtons) {
    app::QtLoop loop;
    const auto scenario = sim::ScenarioLoader::defaultScenario();
    const auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    const app::DesktopView view{loop, desktop, scenario.screen, 0, app::ScreenMapping{{0, 0}, 1}};
    ProbeWindow window;
    window.setWindowTitle("Probe");
    window.setGeometry(400, 300, 200, 100);
    window.show();

    const QImage picture = app::ScenePhotographer(view).photograph();
    EXPECT_EQ(window.drawnAtRatio, app::ScenePhotographer::pixelsPerPoint);
    const auto at = [&](double x, double y) { return picture.pixelColor(QPoint(x * 2, y * 2)); };
    EXPECT_EQ(at(500, 350), QColor(Qt::white));
    const QColor close = at(400 + 20, 300 - 14);
    EXPECT_GT(close.red(), 200);
    EXPECT_LT(close.green(), 120);
    if (const char* keep = std::getenv("CORVEL_KEEP_PICTURES"))
        picture.save(QString(keep) + "/framed-window.png");
}

TEST(SoftShadow, fadesOutGraduallyFromTheShapeInsteadOfEndingAtAnEdge) {
    const QImage shadow = app::SoftShadow::silhouette(QSizeF(100, 60), 10, 24, 24, 80);
    const int row = shadow.height() / 2;
    std::vector<int> alphas;
    for (int x = 0; x <= shadow.width() / 2; ++x)
        alphas.push_back(shadow.pixelColor(x, row).alpha());
    EXPECT_EQ(alphas.front(), 0);
    EXPECT_EQ(alphas.back(), 80);
    EXPECT_TRUE(std::is_sorted(alphas.begin(), alphas.end()));
    // A hard edge jumps from clear to dark; a soft one passes many shades.
    EXPECT_GE(std::set<int>(alphas.begin(), alphas.end()).size(), 12u);
}

TEST(DesktopView, drawsWhatChangesFromAnyThreadAndWhenTheClocksMinuteTurns) {
    async::ManualLoop loop;
    const auto scenario = sim::ScenarioLoader::defaultScenario();
    const auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    const app::DesktopView view{loop, desktop, scenario.screen, 0, app::ScreenMapping{{0, 0}, 1}};
    const auto shownTitle = [&](std::uint32_t window) {
        for (const auto& item : view.shown().items)
            if (item.windowNumber == window)
                return item.title;
        return std::string("(not shown)");
    };
    const auto item = desktop->statusItem(40);
    item->setAutosaveName("Probe");
    item->button().setTitle("one");
    // The window server lists a new item a moment later.
    loop.advance(1s);
    const auto window = desktop->windowNumberOf("Probe");
    ASSERT_TRUE(window);
    EXPECT_EQ(shownTitle(*window), "one");

    // Changed on another thread, as the background executor changes it.
    std::thread([&] { item->button().setTitle("two"); }).join();
    loop.advance(20ms);
    EXPECT_EQ(shownTitle(*window), "two");

    const std::string clockBefore = view.shown().clockText;
    loop.advance(std::chrono::minutes(1));
    EXPECT_NE(view.shown().clockText, clockBefore);
    EXPECT_EQ(view.shown().clockText,
              app::DesktopScene::of(*desktop, scenario.screen, 0).clockText);

    desktop->removeStatusItem(item);
    loop.advance(20ms);
    EXPECT_EQ(shownTitle(*window), "(not shown)");
}

TEST(DesktopScene, theClockShowsTheDesktopsWallClockToTheMinute) {
    async::ManualLoop loop;
    const auto scenario = sim::ScenarioLoader::defaultScenario();
    const auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    const auto atStart = app::DesktopScene::of(*desktop, scenario.screen, 0);
    EXPECT_EQ(atStart.clockText, "Mon Jan 5 9:41 AM");
    loop.advance(59s);
    EXPECT_TRUE(app::DesktopScene::of(*desktop, scenario.screen, 0).looksLike(atStart));
    loop.advance(1s);
    EXPECT_FALSE(app::DesktopScene::of(*desktop, scenario.screen, 0).looksLike(atStart));
    loop.advance(std::chrono::minutes(19));
    EXPECT_EQ(app::DesktopScene::of(*desktop, scenario.screen, 0).clockText, "Mon Jan 5 10:01 AM");
}
