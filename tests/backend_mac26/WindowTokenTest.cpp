#include "backend_mac26/Mac26WindowLookup.h"
#include "backend_mac26/Mac26WindowToken.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

TEST(Mac26WindowToken, writesTheWindowNumberAsEightUpperCaseHexDigitsAfterThePrefix) {
    EXPECT_EQ(Mac26WindowToken::token(0x1A2B).opaque().text(),
              "434F5256-454C-4954-454D-000000001A2B");
    EXPECT_EQ(Mac26WindowToken::token(0).opaque().text(), "434F5256-454C-4954-454D-000000000000");
    EXPECT_EQ(Mac26WindowToken::token(0xFFFFFFFF).opaque().text(),
              "434F5256-454C-4954-454D-0000FFFFFFFF");
}

TEST(Mac26WindowToken, givesDistinctWindowsDistinctTokensAndOneWindowTheSameTokenEachTime) {
    EXPECT_EQ(Mac26WindowToken::token(101), Mac26WindowToken::token(101));
    EXPECT_NE(Mac26WindowToken::token(101), Mac26WindowToken::token(102));
    EXPECT_NE(Mac26WindowToken::token(0x10), Mac26WindowToken::token(0x100));
}

} // namespace
} // namespace corvel

namespace corvel {
namespace {

TEST(Mac26WindowLookup, findsTheFirstWindowWithTheTokenThatHasBoundsAndPassesOverOneWithout) {
    const platform::Rect bounds{{10, 0}, {28, 24}};
    const std::vector<MenuBarWindowInfo> windows{{7, 1, "a", std::nullopt},
                                                 {8, 1, "b", bounds},
                                                 {7, 1, "c", bounds},
                                                 {7, 1, "d", platform::Rect{{50, 0}, {28, 24}}}};
    EXPECT_EQ(Mac26WindowLookup::find(windows, Mac26WindowToken::token(7)),
              (Mac26ResolvedWindow{7, bounds}));
    EXPECT_FALSE(Mac26WindowLookup::find(windows, Mac26WindowToken::token(9)));
    EXPECT_FALSE(Mac26WindowLookup::find({}, Mac26WindowToken::token(7)));
}

} // namespace
} // namespace corvel
