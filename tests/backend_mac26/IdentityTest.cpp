#include "backend_mac26/Mac26IdentityCache.h"
#include "backend_mac26/Mac26MenuExtraIndex.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using MenuExtra = Mac26MenuExtraResolver::MenuExtra;

/// An extra of another application at `x`.
MenuExtra extra(std::string bundleID, std::string name, double x) {
    return {std::move(bundleID), std::move(name), x, "", false};
}

MenuBarWindowInfo window(std::uint32_t number, double x, std::string name = "") {
    return {number, 300, std::move(name), platform::Rect{{x, 0}, {24, 24}}};
}

TEST(Mac26MenuExtraResolverMatch, takesTheNearestExtraWithinTwelvePointsAndTheFirstOnATie) {
    const std::vector<MenuExtra> extras{extra("a", "A", 100), extra("b", "B", 124)};
    EXPECT_EQ(Mac26MenuExtraResolver::match(112, extras, 12.0)->name, "A");
    EXPECT_FALSE(Mac26MenuExtraResolver::match(136.5, extras, 12.0));
    EXPECT_EQ(Mac26MenuExtraResolver::match(136, extras, 12.0)->name, "B");
    EXPECT_EQ(Mac26MenuExtraResolver::match(88, extras, 12.0)->name, "A");
    EXPECT_FALSE(Mac26MenuExtraResolver::match(100, {}, 12.0));
}

// A filed item pushed off the screen needs an identity as much as one in
// view: after a host restart it comes back under a new number.
TEST(Mac26IdentityCache, rescansForNewRenumberedOrResizedWindowsWhereverAndRetriesUnnamedOnesLater) {
    const ResolvedIdentities known{{1, {"a", "A"}}};
    const std::vector<MenuBarWindowInfo> scanned{window(1, 10)};
    auto rescan = [&](const std::vector<MenuBarWindowInfo>& windows,
                      const std::vector<MenuBarWindowInfo>& last, int ticks) {
        return Mac26IdentityCache::shouldRescan(windows, last, known, "Corvel-", ticks, 4);
    };
    EXPECT_FALSE(rescan({window(1, 10)}, scanned, 40)) << "still";
    EXPECT_FALSE(rescan({window(1, 90)}, scanned, 40)) << "moved";
    EXPECT_TRUE(rescan({window(1, 10), window(2, -5)}, scanned, 0)) << "new, off the screen";
    auto wider = window(1, 10);
    wider.bounds->size.width = 30;
    EXPECT_TRUE(rescan({wider}, scanned, 0)) << "resized";
    const std::vector<MenuBarWindowInfo> unnamed{window(1, 10), window(2, 50)};
    EXPECT_FALSE(rescan(unnamed, unnamed, 3));
    EXPECT_TRUE(rescan(unnamed, unnamed, 4));

    MenuBarWindowInfo frameless{3, 300, "", std::nullopt};
    EXPECT_FALSE(rescan({window(1, 10), window(4, 50, "Corvel-HiddenRegionSpacer"), frameless},
                        scanned, 40));
    Mac26OwnWindows::Numbers own;
    own.spacer = 5;
    EXPECT_FALSE(Mac26IdentityCache::shouldRescan({window(1, 10), window(5, -9000)}, scanned,
                                                  known, "Corvel-", 40, 4, own))
        << "Corvel's own window, known by its number";
}

TEST(Mac26IdentityCache, matchesForeignOnScreenWindowsAndKeepsEntriesOfWindowsThatWent) {
    std::vector<MenuExtra> extras{extra("com.example.a", "A", 100),
                                  extra("com.example.b", "B", 200)};
    int scans = 0;
    Mac26IdentityCache cache([&] {
        ++scans;
        return extras;
    });
    auto resolved = cache.resolve({window(1, 101), window(2, 199), window(3, 150),
                                   window(4, 100, "Corvel-Chrome-X"), window(5, -100)},
                                  "Corvel");
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(*resolved,
              (ResolvedIdentities{{1, {"com.example.a", "A"}}, {2, {"com.example.b", "B"}}}));

    // Window 1 is gone and 2 matches nothing now: both entries stay, and
    // the snapshot handed out before does not change.
    const auto earlier = *resolved;
    extras = {extra("com.example.c", "C", 400)};
    auto later = cache.resolve({window(2, 300), window(6, 405)}, "Corvel");
    EXPECT_EQ(*resolved, earlier);
    EXPECT_EQ(*later, (ResolvedIdentities{{1, {"com.example.a", "A"}},
                                          {2, {"com.example.b", "B"}},
                                          {6, {"com.example.c", "C"}}}));
}

TEST(Mac26IdentityCache, givesSeveralWindowsNearOneExtraTheSameIdentityAndUsesAGivenProvider) {
    Mac26IdentityCache cache([] { return std::vector<MenuExtra>{}; });
    const auto resolved = cache.resolve({window(1, 95), window(2, 105)}, "Corvel", [] {
        return std::vector<MenuExtra>{extra("com.example.a", "A", 100)};
    });
    EXPECT_EQ(resolved->at(1), resolved->at(2));
    EXPECT_TRUE(cache.resolve({window(3, 100)}, "Corvel")->contains(1));
    EXPECT_FALSE(cache.resolve({window(3, 100)}, "Corvel")->contains(3));
}

// Corvel's own windows lose their names without Screen Recording and their
// numbers when the host restarts; a walk still finds them in its own process,
// and a leftover named like them has no element there.
TEST(Mac26IdentityCache, aWindowAtOneOfCorvelsOwnItemsIsSightedWhateverItsNameAndGetsNoIdentity) {
    const Uuid handle = Uuid::literal("9C0B5B0E-64A7-4D53-9E4B-2B8C58F1D001");
    const std::vector<MenuExtra> extras{
        {"app.corvel.Corvel", "Corvel", -8000, "Corvel-HiddenRegionSpacer", true},
        {"app.corvel.Corvel", "Corvel", 300, handle.text(), true},
        extra("com.example.a", "A", 100)};
    Mac26IdentityCache cache(nullptr);
    std::vector<Mac26OwnWindows::Sighting> sightings;
    const auto resolved = cache.record({window(7, -8000), window(8, 300, "Corvel-Chrome-X"),
                                        window(9, 101), window(10, 150, "Corvel-Chrome-Y")},
                                       "Corvel", extras, {}, &sightings);
    EXPECT_EQ(*resolved, (ResolvedIdentities{{9, {"com.example.a", "A"}}}));
    ASSERT_EQ(sightings.size(), 2u);
    EXPECT_EQ(sightings[0].windowID, 7u);
    EXPECT_EQ(sightings[1].windowID, 8u);

    Mac26OwnWindows own;
    own.replace({1, {{handle, 2}}});
    own.recognise(sightings, "Corvel-HiddenRegionSpacer");
    own.recognise({{12, Uuid::random().text()}}, "Corvel-HiddenRegionSpacer");
    EXPECT_EQ(own.numbers(), (Mac26OwnWindows::Numbers{7, {{handle, 8}}}));
    Mac26OwnWindows unprepared;
    unprepared.recognise(sightings, "Corvel-HiddenRegionSpacer");
    EXPECT_EQ(unprepared.numbers(), Mac26OwnWindows::Numbers{}) << "nothing of its own yet";
}

} // namespace
} // namespace corvel

namespace corvel {
namespace {

using MenuExtra = Mac26MenuExtraResolver::MenuExtra;

// The index the cache scans with must answer exactly as the plain nearest
// search, ties and the tolerance's edge included.
TEST(Mac26MenuExtraIndex, answersAsTheNearestSearchDoesForEveryPosition) {
    std::vector<MenuExtra> extras;
    unsigned seed = 7;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 60; ++i)
        extras.push_back(extra("b", std::to_string(i), double(next() % 400) / 2));
    extras.push_back(extra("b", "repeat", extras[3].x));
    const Mac26MenuExtraIndex index(extras);
    for (double x = -20; x <= 230; x += 0.25) {
        const auto expected = Mac26MenuExtraResolver::match(x, extras, 12.0);
        const auto* found = index.nearest(x, 12.0);
        ASSERT_EQ(expected.has_value(), found != nullptr) << x;
        if (expected) {
            EXPECT_EQ(found->name, expected->name) << x;
        }
    }
    const std::vector<MenuExtra> none;
    EXPECT_EQ(Mac26MenuExtraIndex(none).nearest(5, 12.0), nullptr);
}

} // namespace
} // namespace corvel
