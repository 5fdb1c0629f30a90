#include "engine/ChromeBlockPlanner.h"

#include <gtest/gtest.h>
#include <string>

namespace corvel {
namespace {

Group groupWithSymbol(std::string symbol, std::int64_t order) {
    return Group{GroupID::random(), "Group " + symbol, std::move(symbol), std::nullopt, order};
}

OwnChromeIcon primaryIcon() {
    return {ChromeBlockPlanner::corvelIconHandle, std::nullopt, 0};
}

OwnChromeIcon iconOf(const Group& g, std::int64_t order) {
    return {g.id.rawValue(), g.symbolName, order};
}

TEST(ChromeBlockPlannerTest, groupIconsFollowThePrimaryIconSortedStablyAndNumberedFromOne) {
    EXPECT_EQ(ChromeBlockPlanner::icons({}), std::vector<OwnChromeIcon>{primaryIcon()});
    auto a = groupWithSymbol("a.circle", 5);
    auto b = groupWithSymbol("b.circle", 2);
    auto c = groupWithSymbol("c.circle", 2);

    EXPECT_EQ(
        ChromeBlockPlanner::icons({a, b, c}),
        (std::vector<OwnChromeIcon>{primaryIcon(), iconOf(b, 1), iconOf(c, 2), iconOf(a, 3)}));
}

TEST(ChromeBlockPlannerTest, aClickedHandleNamesItsGroupButThePrimaryHandleNeverDoes) {
    auto first = groupWithSymbol("first", 9);
    Group impostor{GroupID(ChromeBlockPlanner::corvelIconHandle), "Impostor", "x", std::nullopt, 0};

    EXPECT_EQ(ChromeBlockPlanner::groupID(first.id.rawValue(), {impostor, first}), first.id);
    EXPECT_EQ(ChromeBlockPlanner::groupID(ChromeBlockPlanner::corvelIconHandle, {impostor}),
              std::nullopt);
    EXPECT_EQ(ChromeBlockPlanner::groupID(Uuid::random(), {first}), std::nullopt);
}

} // namespace
} // namespace corvel
