#include "Mac26SimFixture.h"

namespace corvel::test {
namespace {

const Uuid work = Uuid::literal("AAAAAAAA-1111-4111-8111-111111111111");
const Uuid play = Uuid::literal("BBBBBBBB-2222-4222-8222-222222222222");

/// The life of a launch after a crash: repair the leftovers, prepare, place
/// the icons, file three items, press one, take one out again.
class FullCycleTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        auto scenario = backendScenario(GetParam());
        scenario.leftovers.push_back({"Corvel-HiddenRegionSpacer", 24, 4242});
        scenario.leftovers.push_back({"Corvel-Chrome-" + play.text(), 24, 4242});
        scenario.environment["CORVEL_ALLOW_HOST_RESTART"] = "1";
        startWith(std::move(scenario));
    }

    ObservedItem itemOf(const std::string& bundleID) {
        const auto items = run(backend->currentItems());
        for (const auto& item : *items)
            if (item.identity.bundleID == bundleID)
                return item;
        ADD_FAILURE() << "no item of " << bundleID;
        return ObservedItem{Mac26WindowToken::token(0), {bundleID, ""}, false, std::nullopt};
    }
    ObservedItem fresh(const ObservedItem& item) {
        const auto items = run(backend->currentItems());
        for (const auto& current : *items)
            if (current.id == item.id)
                return current;
        ADD_FAILURE() << "the item is gone";
        return item;
    }
};

TEST_P(FullCycleTest, repairsPlacesFilesPressesAndUnfilesOnTheSimulatedDesktop) {
    EXPECT_EQ(run(backend->recoverFromGhosts()), GhostRecoveryOutcome::recovered(2));
    prepare();
    run(backend->placeOwnChrome({OwnChromeIcon{primary, std::nullopt, 0},
                                 OwnChromeIcon{work, "briefcase.fill", 1},
                                 OwnChromeIcon{play, "gamecontroller.fill", 2}}));

    std::vector<ObservedItem> filed{itemOf("com.example.testbed"), itemOf("com.example.twinlight"),
                                    itemOf("com.example.driftwood")};
    for (const auto& item : filed)
        ASSERT_EQ(failureOf(backend->moveIntoHiddenRegion(item)), std::nullopt);
    for (auto& item : filed) {
        item = fresh(item);
        EXPECT_TRUE(item.isInHiddenRegion);
        ASSERT_TRUE(item.frame);
        EXPECT_LT(item.frame->x, 0) << item.identity.bundleID << " is out of sight";
    }
    for (const auto& handle : {primary, work, play})
        EXPECT_GE(barItem("Corvel-Chrome-" + handle.text())->frame.minX(), 0);

    std::vector<std::string> titlesSeen;
    auto look = loop.after(1s, [&] {
        for (const auto& menu : desktop->openMenus())
            titlesSeen = menu.titles;
    });
    auto close = loop.after(4s, [this] { desktop->pressKey(53); });
    EXPECT_EQ(failureOf(backend->press(filed[0])), std::nullopt);
    EXPECT_EQ(titlesSeen, std::vector<std::string>{"Testbed Settings…"});
    EXPECT_TRUE(fresh(filed[0]).isInHiddenRegion);
    EXPECT_TRUE(keyEvents().empty()) << "the person closed the menu; Corvel posted no Escape";

    ASSERT_EQ(failureOf(backend->moveOutOfHiddenRegion(filed[1])), std::nullopt);
    const auto unfiled = fresh(filed[1]);
    EXPECT_FALSE(unfiled.isInHiddenRegion);
    EXPECT_GE(unfiled.frame->x, 0);
    EXPECT_TRUE(fresh(filed[2]).isInHiddenRegion);
    EXPECT_EQ(run(backend->recoverFromGhosts()), GhostRecoveryOutcome::clean());
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, FullCycleTest, ::testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
