// The rules combined the way a backend meets them, on both built-in desktops.
#include "SimTestSupport.h"
#include "sim/ScenarioLoader.h"

#include <algorithm>
#include <set>

namespace corvel::test {
namespace {

using platform::EventFlags;
using platform::EventType;

constexpr const char* spacerName = "Corvel-HiddenRegionSpacer";
constexpr const char* iconA = "Corvel-Chrome-AAAA";
constexpr const char* iconB = "Corvel-Chrome-BBBB";

class BuiltInScenarioTest : public SimulatedDesktopTest,
                            public ::testing::WithParamInterface<std::string> {
  protected:
    void SetUp() override { start(sim::ScenarioLoader::builtIn(GetParam())); }

    bool hosted() const { return GetParam() == sim::ScenarioLoader::defaultName; }

    /// Past registration and settling of items made through the port.
    void settle() { loop.advance(200ms); }

    std::vector<std::string> ownNamesLeftToRight() const {
        auto names = namesLeftToRight();
        std::erase_if(names, [](const std::string& name) { return name.rfind("Corvel-", 0) != 0; });
        return names;
    }

    /// Items made in the given order, each named at once, as a placement
    /// makes them.
    std::vector<std::shared_ptr<platform::StatusItem>>
    createInOrder(const std::vector<std::string>& names, double spacerLength = 24) {
        std::vector<std::shared_ptr<platform::StatusItem>> items;
        for (const auto& name : names)
            items.push_back(makeItem(name, name == spacerName ? spacerLength : 24));
        settle();
        return items;
    }

    std::optional<ListedWindow> listed(const std::string& name, std::int64_t layer = 25) const {
        for (const auto& window : listedWindows(*desktop, layer))
            if (window.name == name)
                return window;
        return std::nullopt;
    }

    /// The application's items, left to right.
    std::vector<sim::BarItem> itemsOf(std::int32_t creator) const {
        auto items = desktop->itemsLeftToRight();
        std::erase_if(items, [&](const sim::BarItem& item) { return item.creatorPid != creator; });
        return items;
    }

    std::int32_t quillfeather() const { return pid("com.example.quillfeather"); }
    std::int32_t controlCenter() const { return pid("com.apple.controlcenter"); }
};

TEST_P(BuiltInScenarioTest, QuillfeathersTwoExtrasHaveEmptyTitlesAndDescriptionsThatNameEach) {
    const auto extras = extrasOf(quillfeather());
    ASSERT_EQ(extras.size(), 2u);
    EXPECT_EQ(attribute(extras[0], "AXTitle").asString(), "");
    EXPECT_EQ(attribute(extras[1], "AXTitle").asString(), "");
    EXPECT_EQ(attribute(extras[0], "AXDescription").asString(), "Quillfeather");
    EXPECT_EQ(attribute(extras[1], "AXDescription").asString(), "Quillfeather Drafts");
    const auto windows = itemsOf(quillfeather());
    ASSERT_EQ(windows.size(), 2u);
    for (const auto& window : windows)
        EXPECT_EQ(window.ownerPid, hosted() ? controlCenter() : quillfeather());
}

TEST_P(BuiltInScenarioTest,
       RecreatedItemsGoToRememberedPlacesOffScreenUnlessPositionsAreForgotten) {
    // First placement: the icons right to left, the spacer last, each new
    // item at the far left.
    auto first = createInOrder({iconB, iconA, spacerName});
    ASSERT_EQ(ownNamesLeftToRight(), (std::vector<std::string>{spacerName, iconA, iconB}));
    first[2]->setLength(10000);
    loop.advance(50ms);
    for (auto& item : first)
        desktop->removeStatusItem(item);
    first.clear();

    // Each removal remembered the place the block had then, so all three
    // come back to the block's right end, the widened spacer rightmost:
    // the icons land in the hidden region.
    auto remembered = createInOrder({iconA, iconB, spacerName}, 10000);
    EXPECT_EQ(ownNamesLeftToRight(), (std::vector<std::string>{iconA, iconB, spacerName}));
    EXPECT_LT(frameOf(iconB).maxX(), 0);
    for (auto& item : remembered)
        desktop->removeStatusItem(item);
    remembered.clear();

    for (const char* name : {iconA, iconB, spacerName})
        desktop->forgetRememberedPosition(name);
    auto forgotten = createInOrder({iconA, iconB, spacerName}, 10000);
    // Forgotten: each appears at the far left, so the planned order holds.
    EXPECT_EQ(ownNamesLeftToRight(), (std::vector<std::string>{spacerName, iconB, iconA}));
    EXPECT_GE(frameOf(iconB).minX(), 0);
    EXPECT_LT(frameOf(spacerName).minX(), 0);
}

TEST_P(BuiltInScenarioTest, APressedExtrasMenuIsOwnedByItsApplicationAndOpensAfterItsLatency) {
    const auto drafts = extrasOf(quillfeather())[1];
    const auto itemX = attribute(drafts, "AXPosition").asPoint()->x;
    ASSERT_EQ(desktop->performAction(drafts, "AXPress"), platform::AccessibilityError::success);
    EXPECT_TRUE(listedWindows(*desktop, 101).empty());
    loop.advance(30ms);
    const auto menus = listedWindows(*desktop, 101);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].ownerPid, quillfeather());
    EXPECT_NE(menus[0].ownerPid, controlCenter());
    EXPECT_NE(menus[0].ownerPid, ::getpid());
    EXPECT_LT(std::abs(menus[0].bounds.minX() - itemX), 400);
    EXPECT_EQ(desktop->openMenus().front().titles.front(), "Quillfeather Drafts Settings…");
}

TEST_P(BuiltInScenarioTest, EscapeClosesAMenuOnlyAfterItsLatency) {
    desktop->performAction(extrasOf(quillfeather())[0], "AXPress");
    loop.advance(30ms);
    auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
    desktop->post(platform::EventTapLocation::hidEventTap,
                  *desktop->createKeyboardEvent(&*source, 53, true));
    EXPECT_EQ(listedWindows(*desktop, 101).size(), 1u);
    loop.advance(20ms);
    EXPECT_EQ(listedWindows(*desktop, 101).size(), 1u);
    loop.advance(10ms);
    EXPECT_TRUE(listedWindows(*desktop, 101).empty());
}

TEST_P(BuiltInScenarioTest, AMenuOfAnItemPushedOffTheLeftEdgeOpensAtTheDisplaysEdge) {
    auto items = createInOrder({spacerName});
    auto& spacer = items.front();
    const auto owner = pid("com.example.driftwood");
    const auto driftwood = itemsOf(owner).front().windowNumber;
    postDual(stamped(EventType::leftMouseDown, {20000, 20000}, driftwood, EventFlags::maskCommand),
             owner);
    loop.advance(50ms);
    postDual(stamped(EventType::leftMouseUp, {frameOf(spacerName).minX(), 12}, window(spacerName)),
             owner);
    loop.advance(80ms);
    spacer->setLength(10000);
    loop.advance(150ms);
    const auto element = extrasOf(owner).front();
    const auto itemX = attribute(element, "AXPosition").asPoint()->x;
    ASSERT_LT(itemX, -9000);
    desktop->performAction(element, "AXPress");
    loop.advance(30ms);
    const auto menus = listedWindows(*desktop, 101);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].bounds.minX(), 0);
    EXPECT_GE(std::abs(menus[0].bounds.minX() - itemX), 400);
}

TEST_P(BuiltInScenarioTest, ALengthChangeRelaysTheBarOnlyAfterItsLatency) {
    auto items = createInOrder({spacerName, iconA});
    auto& spacer = items.front();
    // [iconA][spacer]: widening the spacer pushes the icon off the screen.
    ASSERT_EQ(ownNamesLeftToRight(), (std::vector<std::string>{iconA, spacerName}));
    const auto before = listed(iconA)->bounds;
    spacer->setLength(10000);
    EXPECT_EQ(spacer->length(), 10000);
    EXPECT_EQ(listed(iconA)->bounds, before);
    loop.advance(29ms);
    EXPECT_EQ(listed(iconA)->bounds, before);
    loop.advance(1ms);
    EXPECT_LT(listed(iconA)->bounds.maxX(), 0);
}

TEST_P(BuiltInScenarioTest, EventsPostedWhileUntrustedChangeNothingButAreRecorded) {
    auto items = createInOrder({spacerName});
    const auto owner = quillfeather();
    desktop->click({itemsOf(pid("com.example.driftwood")).front().frame.midX(), 12});
    loop.advance(30ms);
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    const auto before = namesLeftToRight();
    const auto quill = itemsOf(owner).front();
    desktop->setAccessibilityTrusted(false);

    const auto down = stamped(EventType::leftMouseDown, {20000, 20000}, quill.windowNumber,
                              EventFlags::maskCommand);
    const auto up =
        stamped(EventType::leftMouseUp, {frameOf(spacerName).minX(), 12}, window(spacerName));
    postDual(down, owner);
    postDual(up, owner);
    postDual(stamped(EventType::leftMouseDown, {quill.frame.midX(), 12}, quill.windowNumber),
             owner);
    auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
    desktop->post(platform::EventTapLocation::hidEventTap,
                  *desktop->createKeyboardEvent(&*source, 53, true));
    loop.advance(1s);

    EXPECT_EQ(namesLeftToRight(), before);
    EXPECT_EQ(desktop->openMenus().size(), 1u);
    const auto counters = desktop->counters();
    EXPECT_EQ(counters.drags, 0);
    EXPECT_EQ(counters.wakeUps, 0);
    EXPECT_EQ(counters.escapes, 0);
    const auto posted = desktop->postedEvents();
    EXPECT_EQ(posted.size(), 7u);
    EXPECT_TRUE(std::all_of(posted.begin(), posted.end(),
                            [](const sim::PostedEvent& event) { return event.ignored; }));

    // Dropped events were never delivered: the same ones act once trusted.
    desktop->setAccessibilityTrusted(true);
    postDual(down, owner);
    loop.advance(50ms);
    postDual(up, owner);
    loop.advance(80ms);
    EXPECT_EQ(desktop->counters().drags, 1);
    EXPECT_EQ(ownNamesLeftToRight(), (std::vector<std::string>{spacerName}));
    EXPECT_EQ(namesLeftToRight().front(), quill.name);
}

TEST_P(BuiltInScenarioTest, AControlCenterRestartGivesEveryHostedWindowANewNumberInTheSameOrder) {
    auto own = createInOrder({iconA, spacerName});
    const auto before = desktop->itemsLeftToRight();
    std::uint32_t highest = 0;
    for (const auto& item : before)
        highest = std::max(highest, item.windowNumber);
    const auto oldHost = controlCenter();

    ASSERT_TRUE(desktop->launch("/usr/bin/killall", {"ControlCenter"}));
    loop.advance(2s);
    ASSERT_NE(controlCenter(), oldHost);

    const auto after = desktop->itemsLeftToRight();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_EQ(after[i].frame, before[i].frame) << after[i].name;
        const bool hostsIt = hosted() || after[i].creatorPid == controlCenter();
        if (hostsIt) {
            EXPECT_GT(after[i].windowNumber, highest) << after[i].name;
            EXPECT_EQ(after[i].ownerPid, controlCenter()) << after[i].name;
        } else {
            EXPECT_EQ(after[i].windowNumber, before[i].windowNumber) << after[i].name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothDesktops, BuiltInScenarioTest,
                         ::testing::ValuesIn(sim::ScenarioLoader::builtInNames()),
                         [](const auto& info) { return info.param; });

TEST(BuiltInScenarioNamesTest, AnUnknownNameIsAnError) {
    EXPECT_THROW(sim::ScenarioLoader::builtIn("macOS 15"), sim::ScenarioError);
    EXPECT_TRUE(sim::ScenarioLoader::builtIn("default").hostStatusItemsInHost);
    EXPECT_FALSE(sim::ScenarioLoader::builtIn("unhosted").hostStatusItemsInHost);
}

} // namespace
} // namespace corvel::test
