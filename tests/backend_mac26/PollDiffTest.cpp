#include "EventPrinting.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/MenuBarGeometryHysteresis.h"
#include "backend_mac26/MenuBarPollDiff.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

ObservedItem item(std::uint32_t number, double x) {
    return {
        Mac26WindowToken::token(number), {"com.example.a", "A"}, false, ItemFrame{x, 0, 28, 24}};
}

TEST(MenuBarPollDiff, reportsEveryItemAsAppearedInOrderAgainstAnEmptyMap) {
    MenuBarPollDiff::ItemsByToken previous;
    const auto events = MenuBarPollDiff::diff({item(3, 10), item(1, 40), item(2, 70)}, previous);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], MenuBarChangeEvent::itemAppeared(item(3, 10)));
    EXPECT_EQ(events[1], MenuBarChangeEvent::itemAppeared(item(1, 40)));
    EXPECT_EQ(events[2], MenuBarChangeEvent::itemAppeared(item(2, 70)));
    EXPECT_EQ(previous.size(), 3u);
}

TEST(MenuBarPollDiff, reportsAHalfPointMoveAsChangedAndNothingForAnEqualItem) {
    MenuBarPollDiff::ItemsByToken previous;
    MenuBarPollDiff::diff({item(1, 10), item(2, 40)}, previous);
    const auto events = MenuBarPollDiff::diff({item(1, 10.5), item(2, 40)}, previous);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], MenuBarChangeEvent::itemChanged(item(1, 10.5)));
    EXPECT_EQ(previous.at(Mac26WindowToken::token(1)), item(1, 10.5));
}

TEST(MenuBarPollDiff, reportsAnyChangedFieldAndDisappearancesAfterTheOthers) {
    MenuBarPollDiff::ItemsByToken previous;
    MenuBarPollDiff::diff({item(1, 10), item(2, 40), item(3, 70)}, previous);
    auto hidden = item(2, 40);
    hidden.isInHiddenRegion = true;
    auto renamed = item(3, 70);
    renamed.identity.title = "B";
    const auto events = MenuBarPollDiff::diff({item(4, 0), hidden, renamed}, previous);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], MenuBarChangeEvent::itemAppeared(item(4, 0)));
    EXPECT_EQ(events[1], MenuBarChangeEvent::itemChanged(hidden));
    EXPECT_EQ(events[2], MenuBarChangeEvent::itemChanged(renamed));
    EXPECT_EQ(events[3], MenuBarChangeEvent::itemDisappeared(Mac26WindowToken::token(1)));
    EXPECT_FALSE(previous.contains(Mac26WindowToken::token(1)));
}

TEST(MenuBarPollDiff, keepsTheFirstOfTwoItemsWithOneTokenAndReportsItOnce) {
    MenuBarPollDiff::ItemsByToken previous;
    const auto events = MenuBarPollDiff::diff({item(1, 10), item(1, 99)}, previous);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], MenuBarChangeEvent::itemAppeared(item(1, 10)));
    EXPECT_EQ(previous.at(Mac26WindowToken::token(1)), item(1, 10));
}

TEST(MenuBarPollDiff, countsAbsentOrEmptyBoundsAsDegenerateTakingNegativeSizesByMagnitude) {
    EXPECT_TRUE(MenuBarPollDiff::isBoundsDegenerate(std::nullopt));
    EXPECT_TRUE(MenuBarPollDiff::isBoundsDegenerate(platform::Rect{{0, 0}, {0, 24}}));
    EXPECT_TRUE(MenuBarPollDiff::isBoundsDegenerate(platform::Rect{{0, 0}, {24, 0}}));
    EXPECT_FALSE(MenuBarPollDiff::isBoundsDegenerate(platform::Rect{{0, 0}, {-24, -24}}));
    EXPECT_FALSE(MenuBarPollDiff::isBoundsDegenerate(platform::Rect{{-10, 0}, {24, 24}}));
}

std::vector<std::optional<bool>> run(bool first, std::initializer_list<bool> later) {
    auto state = MenuBarGeometryHysteresis::seeded(first);
    std::vector<std::optional<bool>> reports;
    for (bool settled : later)
        reports.push_back(state.observe(settled));
    return reports;
}

TEST(MenuBarGeometryHysteresis, reportsUnsettledOnlyAfterTwoPollsAndSettledAfterTwoMore) {
    using R = std::vector<std::optional<bool>>;
    // First poll without a spacer reports nothing; the second makes two.
    EXPECT_EQ(run(false, {false, false, true, true, true}),
              (R{true, std::nullopt, std::nullopt, false, std::nullopt}));
    // Seeded settled: a single odd poll changes nothing.
    EXPECT_EQ(run(true, {false, true, false, true}),
              (R{std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
    // One settled poll between unsettled ones does not end the report.
    EXPECT_EQ(run(true, {false, false, true, false, true, true}),
              (R{std::nullopt, true, std::nullopt, std::nullopt, std::nullopt, false}));
}

} // namespace
} // namespace corvel
