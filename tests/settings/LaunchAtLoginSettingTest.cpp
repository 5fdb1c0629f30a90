#include "settings/LaunchAtLoginSetting.h"

#include "sim/SimLoginItem.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>

using namespace corvel;
using Status = platform::LaunchAtLogin::Status;

namespace {

// A login item whose answers a test sets, as the system's settings might.
class ScriptedLoginItem final : public platform::LaunchAtLogin {
  public:
    Status status() const override { return current; }
    std::optional<std::string> setEnabled(bool enabled) override {
        if (refusal)
            return refusal;
        current = enabled ? afterEnabling : Status::notRegistered;
        return std::nullopt;
    }

    Status current = Status::notRegistered;
    Status afterEnabling = Status::enabled;
    std::optional<std::string> refusal;
};

} // namespace

TEST(LaunchAtLoginSettingTest, isOffAtFirstAndFollowsTheSimulatedLoginItemBothWays) {
    auto log = std::make_shared<test::MemoryLog>();
    auto loginItem = std::make_shared<sim::SimLoginItem>();
    LaunchAtLoginSetting setting(loginItem, log);
    EXPECT_FALSE(setting.isOn().value());
    setting.setOn(true);
    EXPECT_TRUE(setting.isOn().value());
    EXPECT_EQ(loginItem->status(), Status::enabled);
    EXPECT_FALSE(setting.note().value());
    setting.setOn(false);
    EXPECT_FALSE(setting.isOn().value());
    EXPECT_EQ(loginItem->status(), Status::notRegistered);
    EXPECT_TRUE(log->lines().empty());
}

TEST(LaunchAtLoginSettingTest, aLoginItemAwaitingApprovalIsOnAndSaysWhatIsLeftToDo) {
    auto loginItem = std::make_shared<ScriptedLoginItem>();
    loginItem->afterEnabling = Status::requiresApproval;
    LaunchAtLoginSetting setting(loginItem, std::make_shared<test::MemoryLog>());
    setting.setOn(true);
    EXPECT_TRUE(setting.isOn().value());
    EXPECT_EQ(setting.note().value(), LaunchAtLoginSetting::approvalNote);
    // Allowed meanwhile in the system's settings.
    loginItem->current = Status::enabled;
    setting.refresh();
    EXPECT_FALSE(setting.note().value());
}

TEST(LaunchAtLoginSettingTest, aRefusalLeavesTheSwitchAsThePlatformHasItAndSaysWhy) {
    auto log = std::make_shared<test::MemoryLog>();
    auto loginItem = std::make_shared<ScriptedLoginItem>();
    loginItem->refusal = "Operation not permitted";
    LaunchAtLoginSetting setting(loginItem, log);
    setting.setOn(true);
    EXPECT_FALSE(setting.isOn().value());
    EXPECT_EQ(setting.note().value(),
              "Corvel could not change its login item: Operation not permitted");
    EXPECT_EQ(log->lines(), std::vector<std::string>{"Corvel: failed to add Corvel to the login "
                                                     "items — Operation not permitted"});
}
