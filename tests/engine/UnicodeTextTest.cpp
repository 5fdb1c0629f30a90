#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

TEST(UnicodeText, LowerCasingIsNotLimitedToAscii) {
    EXPECT_EQ(UnicodeText::lowercased("ÉCLAIR Mirroring"), "éclair mirroring");
}

TEST(UnicodeText, TrimmingRemovesEveryKindOfSpaceAndLineBreakAtBothEndsOnly) {
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines(" \t\r\n Weather \u00A0"), "Weather");
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines("\u3000\u2028My  Item\u2029\u0085"),
              "My  Item");
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines(" \u2003\n "), "");
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines(""), "");
    // A zero-width space is a format character, not white space.
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines("\u200Bx"), "\u200Bx");
}

TEST(UnicodeText, NumericTestAcceptsDigitsOfEveryScriptAndNothingElse) {
    EXPECT_TRUE(UnicodeText::isAllNumeric("0123456789"));
    EXPECT_TRUE(UnicodeText::isAllNumeric("\u0661\u0662"));       // Arabic-Indic
    EXPECT_TRUE(UnicodeText::isAllNumeric("\u0967\u2162\u00BD")); // Devanagari, Roman, half
    EXPECT_FALSE(UnicodeText::isAllNumeric(""));
    EXPECT_FALSE(UnicodeText::isAllNumeric("1a"));
    EXPECT_FALSE(UnicodeText::isAllNumeric("1 "));
    EXPECT_FALSE(UnicodeText::isAllNumeric("-1"));
    EXPECT_FALSE(UnicodeText::isAllNumeric("1\xFF"));
}

} // namespace
} // namespace corvel
