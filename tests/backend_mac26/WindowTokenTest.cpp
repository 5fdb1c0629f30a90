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
