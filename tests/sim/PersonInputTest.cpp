#include "SimTestSupport.h"

namespace corvel::test {
namespace {

class PersonInputTest : public SimulatedDesktopTest {
  protected:
    void SetUp() override {
        start();
        token = *desktop->addGlobalMonitor(
            platform::GlobalEventMonitor::leftMouseDownMask |
                platform::GlobalEventMonitor::rightMouseDownMask,
            [this](const platform::MonitoredEvent& event) { seen.push_back(event); });
    }
    platform::Point centreOf(const std::string& name) { return {frameOf(name).midX(), 12}; }

    platform::GlobalEventMonitor::Token token = 0;
    std::vector<platform::MonitoredEvent> seen;
};

TEST_F(PersonInputTest, AClickOnAnotherApplicationsItemOpensItsMenuAndReachesTheMonitors) {
    desktop->click(centreOf("alpha"));
    loop.runUntilIdle();
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    EXPECT_EQ(desktop->openMenus().front().ownerPid, pid("com.example.alpha"));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, platform::EventType::leftMouseDown);
    EXPECT_EQ(seen[0].location, centreOf("alpha"));
}

TEST_F(PersonInputTest, AClickOnThisProcesssItemRunsItsActionAndReachesNoMonitor) {
    auto item = makeItem("Mine");
    item->button().setIdentifier("ABC");
    std::vector<std::string> senders;
    item->button().setAction([&](const std::string& sender) { senders.push_back(sender); });
    desktop->click(centreOf("Mine"));
    EXPECT_TRUE(senders.empty());
    loop.runUntilIdle();
    EXPECT_EQ(senders, (std::vector<std::string>{"ABC"}));
    EXPECT_TRUE(seen.empty());
}

TEST_F(PersonInputTest, AClickElsewhereClosesOpenMenusAndReachesTheMonitors) {
    desktop->click(centreOf("beta"), platform::MouseButton::right);
    desktop->click({400, 500});
    loop.runUntilIdle();
    EXPECT_TRUE(desktop->openMenus().empty());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, platform::EventType::rightMouseDown);
    EXPECT_EQ(seen[1].location, (platform::Point{400, 500}));
}

TEST_F(PersonInputTest, ARemovedMonitorSeesNothingEvenForClicksAlreadyOnTheirWay) {
    desktop->click({400, 500});
    desktop->removeMonitor(token);
    loop.runUntilIdle();
    EXPECT_TRUE(seen.empty());
}

TEST_F(PersonInputTest, ChoosingAnEntryOfThisProcesssOpenMenuRunsItsActionOnceTheMenuIsGone) {
    auto item = makeItem("Mine");
    auto menu = std::make_shared<platform::Menu>();
    int quits = 0;
    bool menuGoneAtAction = false;
    platform::MenuItem first;
    first.title = "Settings…";
    platform::MenuItem quit;
    quit.title = "Quit Corvel";
    quit.action = [&] {
        ++quits;
        menuGoneAtAction = desktop->openMenus().empty();
    };
    menu->addItem(first);
    menu->addItem(quit);
    item->setMenu(menu);
    desktop->click(centreOf("Mine"));
    loop.runUntilIdle();
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    const auto frame = desktop->openMenus().front().frame;
    desktop->setLatencies(sim::Latencies{});
    desktop->click({frame.minX() + 10, frame.minY() + 5 + 22 + 11});
    loop.runUntilIdle();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(menuGoneAtAction);
    EXPECT_TRUE(desktop->openMenus().empty());
    EXPECT_TRUE(seen.empty());
}

TEST_F(PersonInputTest, TheArrowKeysWalkAnOpenMenuSkippingSeparatorsAndReturnChoosesTheEntry) {
    auto item = makeItem("Mine");
    auto menu = std::make_shared<platform::Menu>();
    std::vector<std::string> chosen;
    for (const char* title : {"Settings…", "-", "Quit Corvel"}) {
        platform::MenuItem entry = platform::MenuItem::separator();
        if (std::string(title) != "-") {
            entry = {};
            entry.title = title;
        }
        entry.action = [&chosen, title] { chosen.push_back(title); };
        menu->addItem(entry);
    }
    item->setMenu(menu);
    desktop->click(centreOf("Mine"));
    loop.runUntilIdle();
    const auto highlighted = [&] { return desktop->openMenus().front().highlightedRow; };
    EXPECT_FALSE(highlighted());

    desktop->pressKey(125); // Down: the first entry
    EXPECT_EQ(highlighted(), 0u);
    desktop->pressKey(125); // past the separator
    EXPECT_EQ(highlighted(), 2u);
    desktop->pressKey(125); // round to the top
    EXPECT_EQ(highlighted(), 0u);
    desktop->pressKey(126); // Up, round to the bottom
    EXPECT_EQ(highlighted(), 2u);
    desktop->pressKey(36);
    loop.runUntilIdle();
    EXPECT_EQ(chosen, std::vector<std::string>{"Quit Corvel"});
    EXPECT_TRUE(desktop->openMenus().empty());

    // Return with nothing highlighted closes the menu and chooses nothing.
    desktop->click(centreOf("Mine"));
    loop.runUntilIdle();
    desktop->pressKey(36);
    loop.runUntilIdle();
    EXPECT_TRUE(desktop->openMenus().empty());
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(PersonInputTest, APersonsCommandDragMovesAnItemBesideTheNearestOne) {
    desktop->commandDrag(centreOf("beta"), {frameOf("alpha").maxX() - 2, 12});
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"alpha", "beta", "clock"}));
}

TEST_F(PersonInputTest, EscapeClosesMenusAndKeyPressesReachKeyMonitors) {
    int keys = 0;
    desktop->addGlobalMonitor(platform::GlobalEventMonitor::keyDownMask,
                              [&](const platform::MonitoredEvent&) { ++keys; });
    desktop->click(centreOf("alpha"));
    desktop->pressKey(53);
    loop.runUntilIdle();
    EXPECT_TRUE(desktop->openMenus().empty());
    EXPECT_EQ(keys, 1);
}

} // namespace
} // namespace corvel::test
