#include "SimTestSupport.h"

namespace corvel::test {
namespace {

using platform::AccessibilityElement;
using platform::AccessibilityError;
using platform::PlatformValue;

class AccessibilityTest : public SimulatedDesktopTest {
  protected:
    void pressEscapeOnTheHidTap() {
        auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
        desktop->post(platform::EventTapLocation::hidEventTap,
                      *desktop->createKeyboardEvent(&*source, 53, true));
        desktop->post(platform::EventTapLocation::hidEventTap,
                      *desktop->createKeyboardEvent(&*source, 53, false));
    }
};

TEST_F(AccessibilityTest, ExtrasAnswerPositionIdentifierDescriptionAndTitleInCreationOrder) {
    auto scenario = smallScenario();
    scenario.applications[1].extras.push_back(extra("alpha-2", "Alpha Two", 24, {}));
    start(scenario);
    const auto extras = extrasOf(pid("com.example.alpha"));
    ASSERT_EQ(extras.size(), 2u);
    EXPECT_EQ(attribute(extras[0], "AXPosition").asPoint(),
              (platform::Point{frameOf("alpha").minX(), 0}));
    EXPECT_EQ(attribute(extras[1], "AXDescription").asString(), "Alpha Two");
    const auto beta = extrasOf(pid("com.example.beta")).front();
    EXPECT_EQ(attribute(beta, "AXTitle").asString(), "B");
    const auto clock = extrasOf(pid("com.apple.controlcenter")).front();
    EXPECT_EQ(attribute(clock, "AXIdentifier").asString(), "com.apple.menuextra.clock");
    EXPECT_EQ(desktop->copyAttributeValue(beta, "AXIdentifier").error, AccessibilityError::noValue);
}

TEST_F(AccessibilityTest, ThisProcesssItemsAnswerFromTheirButtonsAndGoNegativeWhenPushedOff) {
    start();
    auto wide = makeItem("Wide");
    auto hidden = makeItem("Hidden");
    hidden->button().setIdentifier("ID-1");
    auto image = platform::Image::symbol("folder.fill");
    image.setAccessibilityDescription("Folder");
    hidden->button().setImage(image);
    hidden->button().setAccessibilityTitle("Hidden Title");
    wide->setLength(10000);
    const auto extras = extrasOf(::getpid());
    ASSERT_EQ(extras.size(), 2u);
    EXPECT_LT(attribute(extras[1], "AXPosition").asPoint()->x, 0);
    EXPECT_EQ(attribute(extras[1], "AXIdentifier").asString(), "ID-1");
    EXPECT_EQ(attribute(extras[1], "AXDescription").asString(), "Folder");
    EXPECT_EQ(attribute(extras[1], "AXTitle").asString(), "Hidden Title");
}

// A read is a call into another process: it keeps the calling thread, on the
// loop's clock, and one into an application that never answers keeps it
// until the messaging timeout.
TEST_F(AccessibilityTest, ReadsOfOtherApplicationsHoldTheirCallerAndAHungOneTimesOut) {
    auto scenario = smallScenario();
    scenario.accessibilityReadCost = 2ms;
    scenario.applications[1].hung = true;
    start(scenario);
    const auto alpha = desktop->createApplication(pid("com.example.alpha"));
    const auto beta = desktop->createApplication(pid("com.example.beta"));
    auto took = [&](const std::function<void()>& call) {
        const auto before = loop.now();
        loop.post(call);
        loop.runUntilIdle();
        return loop.now() - before;
    };
    AccessibilityError alphaAnswer{};
    EXPECT_EQ(took([&] { desktop->copyAttributeValue(beta, "AXTitle"); }), 2ms);
    EXPECT_EQ(took([&] {
                  desktop->copyAttributeValue(desktop->createApplication(::getpid()), "AXTitle");
              }),
              0ms);
    EXPECT_EQ(took([&] { alphaAnswer = desktop->copyAttributeValue(alpha, "AXTitle").error; }), 6s);
    EXPECT_EQ(alphaAnswer, AccessibilityError::cannotComplete);

    const auto systemWide = desktop->createSystemWide();
    EXPECT_EQ(desktop->setMessagingTimeout(systemWide, 0.25f), AccessibilityError::success);
    EXPECT_EQ(took([&] { desktop->copyAttributeValue(alpha, "AXTitle"); }), 250ms);
    EXPECT_EQ(desktop->setMessagingTimeout(alpha, 0.1f), AccessibilityError::success);
    EXPECT_EQ(took([&] { alphaAnswer = desktop->performAction(alpha, "AXPress"); }), 100ms);
    EXPECT_EQ(alphaAnswer, AccessibilityError::cannotComplete);
    EXPECT_EQ(desktop->setMessagingTimeout(alpha, 0), AccessibilityError::success);
    EXPECT_EQ(desktop->setMessagingTimeout(systemWide, 0), AccessibilityError::success);
    EXPECT_EQ(took([&] { desktop->copyAttributeValue(alpha, "AXTitle"); }), 6s);
    EXPECT_EQ(desktop->setMessagingTimeout(systemWide, -1), AccessibilityError::illegalArgument);

    desktop->setApplicationHung("com.example.alpha", false);
    EXPECT_TRUE(desktop->copyAttributeValue(alpha, "AXTitle").value) << "outside any loop work";
    EXPECT_EQ(desktop->counters().presses, 0);
}

TEST_F(AccessibilityTest, NothingAnswersWhileTheProcessIsNotTrustedAndAPromptMayGrant) {
    auto scenario = smallScenario();
    scenario.accessibility = sim::Scenario::Permission::grantedOnRequest;
    start(scenario);
    const auto app = desktop->createApplication(pid("com.example.alpha"));
    EXPECT_FALSE(desktop->isProcessTrusted());
    EXPECT_EQ(desktop->copyAttributeValue(app, "AXExtrasMenuBar").error,
              AccessibilityError::apiDisabled);
    EXPECT_FALSE(desktop->isProcessTrustedWithOptions({}));
    EXPECT_TRUE(desktop->isProcessTrustedWithOptions(
        {{"AXTrustedCheckOptionPrompt", PlatformValue::boolean(true)}}));
    EXPECT_EQ(desktop->counters().accessibilityPrompts, 1);
    EXPECT_EQ(desktop->copyAttributeValue(app, "AXExtrasMenuBar").error,
              AccessibilityError::success);
}

TEST_F(AccessibilityTest, AnApplicationWithoutExtrasHasNoExtrasMenuBar) {
    start();
    const auto self = desktop->createApplication(::getpid());
    EXPECT_EQ(desktop->copyAttributeValue(self, "AXExtrasMenuBar").error,
              AccessibilityError::noValue);
    EXPECT_EQ(desktop->copyAttributeValue({999999, 0}, "AXExtrasMenuBar").error,
              AccessibilityError::cannotComplete);
}

TEST_F(AccessibilityTest,
       PressOpensALayer101MenuOfTheItemsApplicationJustUnderItAndEscapeClosesIt) {
    start();
    const auto alpha = extrasOf(pid("com.example.alpha")).front();
    EXPECT_EQ(desktop->performAction(alpha, "AXPress"), AccessibilityError::success);
    const auto menus = listedWindows(*desktop, 101);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].ownerPid, pid("com.example.alpha"));
    // Under the item, moved left only as far as the display's edge needs.
    EXPECT_EQ(menus[0].bounds.minX(), std::min(frameOf("alpha").minX(), 1000.0 - 220));
    EXPECT_GE(menus[0].bounds.minY(), 24);
    EXPECT_EQ(desktop->openMenus().front().titles,
              (std::vector<std::string>{"Alpha Settings…", "Quit Alpha"}));
    EXPECT_EQ(desktop->counters().presses, 1);

    loop.advance(10s);
    EXPECT_EQ(listedWindows(*desktop, 101).size(), 1u);
    pressEscapeOnTheHidTap();
    EXPECT_TRUE(listedWindows(*desktop, 101).empty());
    EXPECT_EQ(desktop->counters().escapes, 1);
}

TEST_F(AccessibilityTest, AMenuBelongsToTheItemsApplicationEvenWhenControlCenterHostsItsWindow) {
    auto scenario = smallScenario();
    scenario.hostStatusItemsInHost = true;
    start(scenario);
    desktop->performAction(extrasOf(pid("com.example.alpha")).front(), "AXPress");
    const auto menus = listedWindows(*desktop, 101);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].ownerPid, pid("com.example.alpha"));
}

TEST_F(AccessibilityTest, AMenuThatNeverOpensAndAMenuThatClosesByItself) {
    start();
    sim::ItemFaults never;
    never.menuNeverOpens = true;
    desktop->setItemFaults("beta", never);
    sim::ItemFaults brief;
    brief.menuAutoClose = 500ms;
    desktop->setItemFaults("alpha", brief);

    EXPECT_EQ(desktop->performAction(extrasOf(pid("com.example.beta")).front(), "AXPress"),
              AccessibilityError::success);
    EXPECT_TRUE(desktop->openMenus().empty());

    desktop->performAction(extrasOf(pid("com.example.alpha")).front(), "AXPress");
    loop.advance(499ms);
    EXPECT_EQ(desktop->openMenus().size(), 1u);
    loop.advance(1ms);
    EXPECT_TRUE(desktop->openMenus().empty());
}

TEST_F(AccessibilityTest, PressOnThisProcesssItemUpdatesItsMenuOnTheMainThreadAndShowsIt) {
    start();
    auto item = makeItem("Mine");
    auto menu = std::make_shared<platform::Menu>();
    int updates = 0;
    menu->setUpdateHandler([&](platform::Menu& m) {
        ++updates;
        m.removeAllItems();
        platform::MenuItem settings;
        settings.title = "Settings…";
        m.addItem(settings);
        m.addItem(platform::MenuItem::separator());
    });
    item->setMenu(menu);
    desktop->performAction(extrasOf(::getpid()).front(), "AXPress");
    EXPECT_EQ(updates, 0);
    loop.runUntilIdle();
    EXPECT_EQ(updates, 1);
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    EXPECT_EQ(desktop->openMenus().front().ownerPid, ::getpid());
    EXPECT_EQ(desktop->openMenus().front().titles, (std::vector<std::string>{"Settings…", "-"}));
}

TEST_F(AccessibilityTest, UnknownActionsAndStaleElementsAreRefused) {
    start();
    auto item = makeItem("Mine");
    const auto element = extrasOf(::getpid()).front();
    EXPECT_EQ(desktop->performAction(element, "AXShowMenu"), AccessibilityError::actionUnsupported);
    desktop->removeStatusItem(item);
    EXPECT_EQ(desktop->performAction(element, "AXPress"), AccessibilityError::invalidUIElement);
}

} // namespace
} // namespace corvel::test
