#include "SimTestSupport.h"
#include "platform/HotKeyModifiers.h"
#include "sim/ScenarioLoader.h"

namespace corvel::test {
namespace {

using M = platform::HotKeyModifiers;
using Status = platform::HotKeyStatus;
using platform::EventFlags;

constexpr std::uint32_t keyK = 40, keyN = 45, keyQ = 12, key1 = 18;

class HotKeyTest : public SimulatedDesktopTest {
  protected:
    void SetUp() override {
        auto scenario = smallScenario();
        scenario.hotKeys = {{keyQ, M::controlKey | M::cmdKey, "system"},
                            {keyN, M::controlKey | M::optionKey, "com.example.alpha"}};
        start(scenario);
        ASSERT_EQ(desktop->installHotKeyPressedHandler(
                      [this](const platform::HotKeyID& id) { pressed.push_back(id.id); }, handler),
                  Status::noErr);
    }
    platform::HotKeys::OSStatus registerKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                            std::uint32_t id, std::uint32_t options = 0) {
        platform::HotKeys::HotKeyRef ref = 0;
        const auto status =
            desktop->registerEventHotKey(keyCode, modifiers, {0x4372766C, id}, options, ref);
        if (status == Status::noErr)
            refs.push_back(ref);
        return status;
    }

    platform::HotKeys::HandlerRef handler = 0;
    std::vector<platform::HotKeys::HotKeyRef> refs;
    std::vector<std::uint32_t> pressed;
};

TEST_F(HotKeyTest, RegistrationIsRefusedAsMacOSRefusesIt) {
    const auto exclusive = platform::HotKeys::exclusiveOption;
    EXPECT_EQ(registerKey(keyN, M::controlKey | M::optionKey, 1, exclusive),
              Status::eventHotKeyExistsErr);
    // Shared with the application that holds it.
    EXPECT_EQ(registerKey(keyN, M::controlKey | M::optionKey, 2), Status::noErr);
    EXPECT_EQ(registerKey(keyK, M::optionKey, 3), Status::eventHotKeyInvalidErr);
    EXPECT_EQ(registerKey(keyK, M::optionKey | M::shiftKey, 4), Status::eventHotKeyInvalidErr);
    EXPECT_EQ(registerKey(keyK, M::shiftKey, 5), Status::noErr);
    EXPECT_EQ(registerKey(keyK, M::shiftKey, 6), Status::eventHotKeyExistsErr);
    EXPECT_EQ(desktop->unregisterEventHotKey(refs.back()), Status::noErr);
    EXPECT_EQ(desktop->unregisterEventHotKey(refs.back()), Status::paramErr);
    EXPECT_EQ(registerKey(keyK, M::shiftKey, 7), Status::noErr);

    // An application that quit holds nothing.
    desktop->launch("/usr/bin/killall", {"Alpha"});
    EXPECT_EQ(registerKey(keyN, M::controlKey | M::optionKey | M::cmdKey, 8, exclusive),
              Status::noErr);
    EXPECT_EQ(desktop->copySymbolicHotKeys(),
              (std::vector<platform::SymbolicHotKey>{{keyQ, M::controlKey | M::cmdKey, true}}));
}

TEST_F(HotKeyTest, APressReachesARegisteredHotKeyBeforeTheOpenMenuAndTheMonitors) {
    int keys = 0;
    desktop->addGlobalMonitor(platform::GlobalEventMonitor::keyDownMask,
                              [&](const platform::MonitoredEvent&) { ++keys; });
    ASSERT_EQ(registerKey(key1, M::controlKey | M::optionKey, 7), Status::noErr);
    desktop->click({frameOf("alpha").midX(), 12});
    loop.runUntilIdle();
    ASSERT_EQ(desktop->openMenus().size(), 1u);

    desktop->pressKey(key1, EventFlags::maskControl | EventFlags::maskAlternate);
    EXPECT_TRUE(pressed.empty());
    loop.runUntilIdle();
    EXPECT_EQ(pressed, std::vector<std::uint32_t>{7});
    EXPECT_EQ(keys, 0);
    EXPECT_EQ(desktop->openMenus().size(), 1u);
    EXPECT_EQ(desktop->counters().hotKeyPresses, 1);

    // Other modifiers make another combination, which the front application gets.
    desktop->pressKey(key1, EventFlags::maskControl);
    loop.runUntilIdle();
    EXPECT_EQ(keys, 1);

    // Unregistered while its press is on the way: nobody is told.
    desktop->pressKey(key1, EventFlags::maskControl | EventFlags::maskAlternate);
    desktop->unregisterEventHotKey(refs.back());
    loop.runUntilIdle();
    EXPECT_EQ(pressed.size(), 1u);
    EXPECT_FALSE(desktop->pressHotKey(key1, EventFlags::maskControl | EventFlags::maskAlternate));
}

TEST_F(HotKeyTest, TheSystemsShortcutsGoToTheSystemEvenWhenRegistered) {
    ASSERT_EQ(registerKey(keyQ, M::controlKey | M::cmdKey, 9), Status::noErr);
    EXPECT_TRUE(desktop->pressHotKey(keyQ, EventFlags::maskControl | EventFlags::maskCommand));
    desktop->removeEventHandler(handler);
    ASSERT_EQ(registerKey(keyK, M::cmdKey, 10), Status::noErr);
    EXPECT_TRUE(desktop->pressHotKey(keyK, EventFlags::maskCommand));
    loop.runUntilIdle();
    EXPECT_TRUE(pressed.empty());
    EXPECT_EQ(desktop->removeEventHandler(handler), Status::paramErr);
}

TEST(HotKeyScenarioTest, AScenarioListsHeldCombinationsAndRefusesMalformedOnes) {
    const auto scenario = sim::ScenarioLoader::fromJson(R"({"hotKeys": [
        {"keyCode": 49, "modifiers": ["command"], "heldBy": "system"},
        {"keyCode": 9, "modifiers": ["shift", "command"], "heldBy": "com.example.cobble"}]})");
    ASSERT_EQ(scenario.hotKeys.size(), 2u);
    EXPECT_EQ(scenario.hotKeys[1].modifiers, M::shiftKey | M::cmdKey);
    EXPECT_EQ(scenario.hotKeys[1].heldBy, "com.example.cobble");
    for (const char* bad :
         {R"({"hotKeys": [{"keyCode": 200, "heldBy": "system"}]})",
          R"({"hotKeys": [{"keyCode": 1, "modifiers": ["hyper"], "heldBy": "system"}]})",
          R"({"hotKeys": [{"keyCode": 1}]})"}) {
        try {
            sim::ScenarioLoader::fromJson(bad);
            ADD_FAILURE() << bad;
        } catch (const sim::ScenarioError& error) {
            EXPECT_NE(std::string(error.what()).find("hotKeys[0]"), std::string::npos) << bad;
        }
    }
}

} // namespace
} // namespace corvel::test
