#include "backend_mac26/Mac26IdentityCache.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using MenuExtra = Mac26MenuExtraResolver::MenuExtra;

MenuBarWindowInfo window(std::uint32_t number, double x, std::string name = "") {
    return {number, 300, std::move(name), platform::Rect{{x, 0}, {24, 24}}};
}

TEST(Mac26MenuExtraResolverMatch, takesTheNearestExtraWithinTwelvePointsAndTheFirstOnATie) {
    const std::vector<MenuExtra> extras{{"a", "A", 100}, {"b", "B", 124}};
    EXPECT_EQ(Mac26MenuExtraResolver::match(112, extras, 12.0)->name, "A");
    EXPECT_FALSE(Mac26MenuExtraResolver::match(136.5, extras, 12.0));
    EXPECT_EQ(Mac26MenuExtraResolver::match(136, extras, 12.0)->name, "B");
    EXPECT_EQ(Mac26MenuExtraResolver::match(88, extras, 12.0)->name, "A");
    EXPECT_FALSE(Mac26MenuExtraResolver::match(100, {}, 12.0));
}

TEST(Mac26IdentityCache, rescansAfterTheIntervalOrForAnOnScreenForeignWindowWithoutIdentity) {
    const ResolvedIdentities known{{1, {"a", "A"}}};
    EXPECT_TRUE(Mac26IdentityCache::shouldRescan({window(1, 10)}, known, "Corvel-", 4, 4));
    EXPECT_FALSE(Mac26IdentityCache::shouldRescan({window(1, 10)}, known, "Corvel-", 3, 4));
    EXPECT_FALSE(
        Mac26IdentityCache::shouldRescan({window(1, 10), window(2, -5)}, known, "Corvel-", 3, 4));
    EXPECT_TRUE(
        Mac26IdentityCache::shouldRescan({window(1, 10), window(2, 0)}, known, "Corvel-", 3, 4));
    MenuBarWindowInfo frameless{3, 300, "", std::nullopt};
    EXPECT_FALSE(Mac26IdentityCache::shouldRescan(
        {window(1, 10), window(4, 50, "Corvel-HiddenRegionSpacer"), frameless}, known, "Corvel-", 0,
        4));
}

TEST(Mac26IdentityCache, matchesForeignOnScreenWindowsAndKeepsEntriesOfWindowsThatWent) {
    std::vector<MenuExtra> extras{{"com.example.a", "A", 100}, {"com.example.b", "B", 200}};
    int scans = 0;
    Mac26IdentityCache cache([&] {
        ++scans;
        return extras;
    });
    auto resolved = cache.resolve({window(1, 101), window(2, 199), window(3, 150),
                                   window(4, 100, "Corvel-Chrome-X"), window(5, -100)},
                                  "Corvel");
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(resolved,
              (ResolvedIdentities{{1, {"com.example.a", "A"}}, {2, {"com.example.b", "B"}}}));

    // Window 1 is gone and 2 matches nothing now: both entries stay.
    extras = {{"com.example.c", "C", 400}};
    resolved = cache.resolve({window(2, 300), window(6, 405)}, "Corvel");
    EXPECT_EQ(resolved, (ResolvedIdentities{{1, {"com.example.a", "A"}},
                                            {2, {"com.example.b", "B"}},
                                            {6, {"com.example.c", "C"}}}));
}

TEST(Mac26IdentityCache, givesSeveralWindowsNearOneExtraTheSameIdentityAndUsesAGivenProvider) {
    Mac26IdentityCache cache([] { return std::vector<MenuExtra>{}; });
    const auto resolved = cache.resolve({window(1, 95), window(2, 105)}, "Corvel", [] {
        return std::vector<MenuExtra>{{"com.example.a", "A", 100}};
    });
    EXPECT_EQ(resolved.at(1), resolved.at(2));
    EXPECT_TRUE(cache.resolve({window(3, 100)}, "Corvel").contains(1));
    EXPECT_FALSE(cache.resolve({window(3, 100)}, "Corvel").contains(3));
}

} // namespace
} // namespace corvel
