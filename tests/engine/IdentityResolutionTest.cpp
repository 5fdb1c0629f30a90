#include "engine/IdentityResolver.h"
#include "engine/ItemDisplayNameHeuristic.h"
#include "engine/OrdinalHints.h"
#include "engine/SystemItemFilter.h"

#include <gtest/gtest.h>
#include <optional>

namespace corvel {
namespace {

ObservedItem observedAt(std::string bundleID, std::string title,
                        std::optional<double> x = std::nullopt) {
    ObservedItem item{BackendItemToken(Uuid::random()), ItemIdentity{bundleID, title}, false, {}};
    if (x)
        item.frame = ItemFrame{*x, 0, 22, 24};
    return item;
}

Item stored(const ItemIdentity& identity, std::int64_t ordinal) {
    return Item{ItemID::random(), identity, ordinal};
}

TEST(SystemItemFilter, AppleBundlesByTheDottedPrefixAndSystemModuleTitlesAfterLowerCasing) {
    EXPECT_TRUE(SystemItemFilter::isSystemItem(observedAt("com.apple.Siri", "Siri")));
    EXPECT_FALSE(SystemItemFilter::isSystemItem(observedAt("com.applesauce.menu", "Sauce")));
    EXPECT_FALSE(SystemItemFilter::isSystemItem(observedAt("COM.APPLE.Siri", "Siri")));
    for (const auto* title : {"Clock", "WiFi", "Screen Mirroring", "BentoBox-3", "FOCUSMODES",
                              "Control Center", "ControlCenter"}) {
        EXPECT_TRUE(SystemItemFilter::isSystemModule(title)) << title;
        EXPECT_TRUE(SystemItemFilter::isSystemItem(observedAt("com.example.app", title))) << title;
    }
    for (const auto* title : {"Clocks", " clock", "My Battery", "bento", ""}) {
        EXPECT_FALSE(SystemItemFilter::isSystemModule(title)) << title;
    }
}

TEST(SystemItemFilter, MovableKeepsForeignItemsInInputOrder) {
    const auto a = observedAt("com.example.a", "A");
    const auto b = observedAt("com.example.b", "B");
    const auto items = std::vector{a, observedAt("com.apple.menuextra", ""), b,
                                   observedAt("com.example.c", "Battery")};
    EXPECT_EQ(SystemItemFilter::movable(items), (std::vector{a, b}));
}

TEST(OrdinalHints, ItemsOfOneIdentityAreNumberedByXWithFramelessItemsLast) {
    const auto right = observedAt("com.example.app", "", 900);
    const auto frameless = observedAt("com.example.app", "");
    const auto left = observedAt("com.example.app", "", 700);
    const auto other = observedAt("com.example.other", "", 1000);

    const auto hinted = OrdinalHints::withOrdinalHints({right, frameless, other, left});

    ASSERT_EQ(hinted.size(), 4u);
    EXPECT_EQ(hinted[0], (OrdinalHintedItem{right, 1}));
    EXPECT_EQ(hinted[1], (OrdinalHintedItem{frameless, 2}));
    EXPECT_EQ(hinted[2], (OrdinalHintedItem{other, 0}));
    EXPECT_EQ(hinted[3], (OrdinalHintedItem{left, 0}));
}

TEST(OrdinalHints, TiesAndFramelessItemsKeepInputOrder) {
    const auto first = observedAt("com.example.app", "T", 500);
    const auto second = observedAt("com.example.app", "T", 500);
    const auto third = observedAt("com.example.app", "T");
    const auto fourth = observedAt("com.example.app", "T");

    const auto hinted = OrdinalHints::withOrdinalHints({third, first, fourth, second});

    EXPECT_EQ(hinted[0].ordinalHint, 2);
    EXPECT_EQ(hinted[1].ordinalHint, 0);
    EXPECT_EQ(hinted[2].ordinalHint, 3);
    EXPECT_EQ(hinted[3].ordinalHint, 1);
}

TEST(IdentityResolver, EqualCountsPairByOrdinalWhateverTheInputOrder) {
    const ItemIdentity identity{"com.example.app", ""};
    const auto b = stored(identity, 1);
    const auto a = stored(identity, 0);
    const auto atHint0 = observedAt("com.example.app", "", 100);
    const auto atHint1 = observedAt("com.example.app", "", 200);

    const auto resolution =
        IdentityResolver::resolve({b, a}, OrdinalHints::withOrdinalHints({atHint1, atHint0}));

    EXPECT_EQ(resolution.reattached,
              (std::vector<IdentityResolution::Reattachment>{{atHint0, a.id}, {atHint1, b.id}}));
    EXPECT_TRUE(resolution.unresolved.empty());
    EXPECT_TRUE(resolution.newItems.empty());
}

TEST(IdentityResolver, UnequalCountsLeaveEveryItemOfTheIdentityUnresolved) {
    const ItemIdentity identity{"com.example.app", "Sync"};
    const auto lone = observedAt("com.example.app", "Sync", 10);
    const auto known = observedAt("com.example.known", "K", 20);
    const auto fresh = observedAt("com.example.fresh", "F", 30);
    const auto knownItem = stored(known.identity, 0);

    const auto fewer =
        IdentityResolver::resolve({stored(identity, 0), knownItem, stored(identity, 1)},
                                  OrdinalHints::withOrdinalHints({lone, known, fresh}));
    EXPECT_EQ(fewer.unresolved, std::vector{lone});
    EXPECT_EQ(fewer.reattached,
              (std::vector<IdentityResolution::Reattachment>{{known, knownItem.id}}));
    EXPECT_EQ(fewer.newItems, std::vector{fresh});

    const auto twin = observedAt("com.example.app", "Sync", 40);
    const auto more = IdentityResolver::resolve({stored(identity, 0)},
                                                OrdinalHints::withOrdinalHints({lone, twin}));
    EXPECT_EQ(more.unresolved, (std::vector{lone, twin}));
    EXPECT_TRUE(more.reattached.empty());
}

TEST(IdentityResolver, WithoutStoredItemsEveryObservedItemIsNew) {
    const auto a = observedAt("com.example.a", "A");
    const auto b = observedAt("com.example.a", "A");
    const auto resolution = IdentityResolver::resolve({}, OrdinalHints::withOrdinalHints({a, b}));
    EXPECT_EQ(resolution.newItems, (std::vector{a, b}));
    EXPECT_TRUE(resolution.reattached.empty());
    EXPECT_TRUE(resolution.unresolved.empty());
}

TEST(ItemDisplayNameHeuristic, AnOverrideWinsThenTheTitleThenTheBundleForGeneratedOrEmptyTitles) {
    struct Case {
        ItemIdentity identity;
        std::optional<std::string> override;
        std::string expected;
    };
    const std::vector<Case> cases{
        {{"com.example.weather", "Forecast"}, "Rain", "Rain"},
        {{"com.example.weather", "Forecast"}, "", "Forecast"},
        {{"com.example.weather", "Forecast"}, std::nullopt, "Forecast"},
        {{"com.example.weather", "Item-12"}, std::nullopt, "weather"},
        {{"com.example.weather", "Item-\u0663"}, std::nullopt, "weather"}, // Arabic-Indic three
        {{"com.example.weather", "Item-"}, std::nullopt, "Item-"},
        {{"com.example.weather", "Item-1a"}, std::nullopt, "Item-1a"},
        {{"com.example.weather", "item-1"}, std::nullopt, "item-1"},
        {{"com.example.weather.", ""}, std::nullopt, "weather"},
        {{"weather", ""}, std::nullopt, "weather"},
        {{"com.apple.controlcenter", ""}, std::nullopt, "Menu Bar Item"},
        {{"com.apple.controlcenter", "Item-0"}, std::nullopt, "Menu Bar Item"},
        {{"...", ""}, std::nullopt, "..."},
        {{"", ""}, std::nullopt, ""},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.identity.bundleID + " / " + each.identity.title);
        EXPECT_EQ(ItemDisplayNameHeuristic::displayName(each.identity, each.override),
                  each.expected);
    }
}

} // namespace
} // namespace corvel
