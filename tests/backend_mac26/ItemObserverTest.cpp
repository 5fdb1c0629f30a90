#include "backend_mac26/Mac26ItemObserver.h"
#include "backend_mac26/Mac26WindowToken.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

MenuBarWindowInfo windowNamed(std::uint32_t number, std::string name,
                              std::optional<platform::Rect> bounds, std::int32_t owner = 300) {
    return {number, owner, std::move(name), bounds};
}

platform::Rect at(double x, double height = 24, double width = 28) {
    return {{x, 0}, {width, height}};
}

std::vector<ObservedItem> observe(const std::vector<MenuBarWindowInfo>& windows,
                                  const ResolvedIdentities& resolved = {}) {
    return Mac26ItemObserver::observedItems(windows, "Corvel", resolved, [](std::int32_t pid) {
        return pid == 300 ? std::string("com.example.owner") : std::string();
    });
}

std::vector<std::uint32_t> numbers(const std::vector<ObservedItem>& items) {
    std::vector<std::uint32_t> result;
    for (const auto& item : items)
        for (std::uint32_t n = 0; n < 1000; ++n)
            if (Mac26WindowToken::token(n) == item.id)
                result.push_back(n);
    return result;
}

TEST(Mac26ItemObserver, neverReportsOwnWindowsButKeepsForeignOnesThatMerelyResembleThem) {
    const auto items =
        observe({windowNamed(1, "Corvel-HiddenRegionSpacer", at(500)),
                 windowNamed(2, "Corvel-Chrome-ABC", at(600)), windowNamed(3, "Corvel-", at(650)),
                 windowNamed(4, "corvel-Item", at(700)), windowNamed(5, "CorvelItem", at(730))});
    EXPECT_EQ(numbers(items), (std::vector<std::uint32_t>{4, 5}));
}

TEST(Mac26ItemObserver, putsItemsStrictlyLeftOfTheSpacerInTheHiddenRegion) {
    const auto items = observe({windowNamed(1, "Corvel-HiddenRegionSpacer", at(500)),
                                windowNamed(2, "a", at(499.5)), windowNamed(3, "b", at(500)),
                                windowNamed(4, "c", at(-9500))});
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(items[0].isInHiddenRegion);
    EXPECT_FALSE(items[1].isInHiddenRegion);
    EXPECT_TRUE(items[2].isInHiddenRegion);
}

TEST(Mac26ItemObserver, dropsWindowsTallerThanOneAndAHalfSpacers) {
    const auto items =
        observe({windowNamed(1, "Corvel-HiddenRegionSpacer", at(500, 24)),
                 windowNamed(2, "kept", at(600, 36)), windowNamed(3, "dropped", at(650, 36.5)),
                 windowNamed(4, "frameless", std::nullopt)});
    EXPECT_EQ(numbers(items), (std::vector<std::uint32_t>{2, 4}));
}

TEST(Mac26ItemObserver, withoutAUsableSpacerHidesNothingAndFiltersNothing) {
    for (const auto& spacer :
         {std::optional<MenuBarWindowInfo>{},
          std::optional{windowNamed(1, "Corvel-HiddenRegionSpacer", std::nullopt)}}) {
        std::vector<MenuBarWindowInfo> windows{windowNamed(2, "tall", at(-50, 400))};
        if (spacer)
            windows.insert(windows.begin(), *spacer);
        const auto items = observe(windows);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_FALSE(items[0].isInHiddenRegion);
    }
    // A spacer of no height still marks the hidden region but filters nothing.
    const auto items = observe({windowNamed(1, "Corvel-HiddenRegionSpacer", at(500, 0)),
                                windowNamed(2, "tall", at(100, 400))});
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].isInHiddenRegion);
}

TEST(Mac26ItemObserver, givesAFramelessWindowNoFrameAndNeverPutsItInTheHiddenRegion) {
    const auto items = observe({windowNamed(1, "Corvel-HiddenRegionSpacer", at(500)),
                                windowNamed(2, "frameless", std::nullopt)});
    ASSERT_EQ(items.size(), 1u);
    EXPECT_FALSE(items[0].frame);
    EXPECT_FALSE(items[0].isInHiddenRegion);
}

TEST(Mac26ItemObserver, takesTheResolvedIdentityElseTheOwnersBundleIdentifierAndTheWindowName) {
    ResolvedIdentities resolved{{2, {"com.example.alpha", "Alpha"}}};
    const auto items =
        observe({windowNamed(2, "Item-0", at(600)), windowNamed(3, "Item-1", at(630)),
                 windowNamed(4, "Item-2", at(660), 999)},
                resolved);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].identity, (ItemIdentity{"com.example.alpha", "Alpha"}));
    EXPECT_EQ(items[1].identity, (ItemIdentity{"com.example.owner", "Item-1"}));
    EXPECT_EQ(items[2].identity, (ItemIdentity{"", "Item-2"}));
}

TEST(Mac26ItemObserver, reportsFramesWithTheMagnitudesOfNegativeSizes) {
    const auto items = observe({windowNamed(2, "a", platform::Rect{{10, 2}, {-28, -24}})});
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].frame, (ItemFrame{10, 2, 28, 24}));
    EXPECT_EQ(items[0].id, Mac26WindowToken::token(2));
}

TEST(Mac26ItemObserver, observingIntoLastPassItemsLeavesNothingOfThemBehind) {
    // Every field differs between the two readings, and the first one had
    // more items, so a field the reuse forgot to overwrite would show.
    const auto lookup = [](std::int32_t pid) {
        return pid == 300 ? std::string("com.example.owner") : std::string();
    };
    const ResolvedIdentities resolved{{2, {"com.example.a-rather-long-bundle-identifier", "A"}}};
    std::vector<ObservedItem> items;
    Mac26ItemObserver::observeInto(
        {windowNamed(1, "Corvel-HiddenRegionSpacer", at(500)), windowNamed(2, "Item-0", at(400)),
         windowNamed(3, "Item-1", at(600)), windowNamed(4, "Item-2", at(700))},
        "Corvel", resolved, lookup, items);
    ASSERT_EQ(items.size(), 3u);

    const std::vector<MenuBarWindowInfo> second{windowNamed(3, "Item-1", std::nullopt, 999),
                                                windowNamed(2, "Renamed", at(650))};
    Mac26ItemObserver::observeInto(second, "Corvel", {}, lookup, items);
    EXPECT_EQ(items, observe(second));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].identity, (ItemIdentity{"", "Item-1"}));
    EXPECT_FALSE(items[0].frame);
    EXPECT_FALSE(items[1].isInHiddenRegion);

    Mac26ItemObserver::observeInto({}, "Corvel", {}, lookup, items);
    EXPECT_TRUE(items.empty());
}

} // namespace
} // namespace corvel
