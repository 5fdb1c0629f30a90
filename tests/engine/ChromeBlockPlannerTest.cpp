#include "engine/ChromeBlockPlanner.h"

#include <gtest/gtest.h>
#include <string>

namespace corvel {
namespace {

Group group(std::string symbol, std::int64_t order) {
    return Group{GroupID::random(), "Group " + symbol, std::move(symbol), std::nullopt, order};
}

OwnChromeIcon primaryIcon() {
    return {ChromeBlockPlanner::corvelIconHandle, std::nullopt, 0};
}

OwnChromeIcon iconOf(const Group& g, std::int64_t order) {
    return {g.id.rawValue(), g.symbolName, order};
}

TEST(ChromeBlockPlannerTest, withoutGroupsTheBlockIsThePrimaryIconAlone) {
    EXPECT_EQ(ChromeBlockPlanner::icons({}), std::vector<OwnChromeIcon>{primaryIcon()});
}

TEST(ChromeBlockPlannerTest, groupIconsFollowThePrimaryIconSortedStablyAndNumberedFromOne) {
    auto a = group("a.circle", 5);
    auto b = group("b.circle", 2);
    auto c = group("c.circle", 2);

    EXPECT_EQ(
        ChromeBlockPlanner::icons({a, b, c}),
        (std::vector<OwnChromeIcon>{primaryIcon(), iconOf(b, 1), iconOf(c, 2), iconOf(a, 3)}));
}

TEST(ChromeBlockPlannerTest, extremeGroupOrdersOnlyDecideTheSortingNotTheIconOrders) {
    auto late = group("late", INT64_MAX);
    auto early = group("early", INT64_MIN);
    auto middle = group("middle", -3);

    EXPECT_EQ(ChromeBlockPlanner::icons({late, early, middle}),
              (std::vector<OwnChromeIcon>{primaryIcon(), iconOf(early, 1), iconOf(middle, 2),
                                          iconOf(late, 3)}));
}

TEST(ChromeBlockPlannerTest, manyGroupsSharingOrdersKeepTheirListOrderWithinEachOrder) {
    // Enough Groups that an unstable sort would reorder equal keys.
    std::vector<Group> groups;
    for (int i = 0; i < 64; ++i)
        groups.push_back(group("g" + std::to_string(i), i % 2 == 0 ? 7 : 3));

    std::vector<OwnChromeIcon> expected{primaryIcon()};
    for (int parity : {1, 0}) {
        for (std::size_t i = parity; i < groups.size(); i += 2)
            expected.push_back(iconOf(groups[i], static_cast<std::int64_t>(expected.size())));
    }
    EXPECT_EQ(ChromeBlockPlanner::icons(groups), expected);
}

TEST(ChromeBlockPlannerTest, aClickedHandleMapsToTheFirstGroupCarryingItInListOrder) {
    auto first = group("first", 9);
    auto second = group("second", 1);
    Group sameIdAsFirst{first.id, "Copy", "copy", std::nullopt, 0};

    EXPECT_EQ(ChromeBlockPlanner::groupID(second.id.rawValue(), {first, second}), second.id);
    auto found = ChromeBlockPlanner::groupID(first.id.rawValue(), {second, first, sameIdAsFirst});
    EXPECT_EQ(found, first.id);
}

TEST(ChromeBlockPlannerTest, thePrimaryHandleAndUnknownHandlesNameNoGroup) {
    Group impostor{GroupID(ChromeBlockPlanner::corvelIconHandle), "Impostor", "x", std::nullopt, 0};
    EXPECT_EQ(ChromeBlockPlanner::groupID(ChromeBlockPlanner::corvelIconHandle, {impostor}),
              std::nullopt);
    EXPECT_EQ(ChromeBlockPlanner::groupID(Uuid::random(), {group("a", 0)}), std::nullopt);
}

} // namespace
} // namespace corvel
