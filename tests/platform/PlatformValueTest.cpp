#include "platform/PlatformValue.h"

#include <gtest/gtest.h>

namespace corvel::platform {
namespace {

TEST(PlatformValueTest, TextIsMadeValidUtf8AsItEntersOneReplacementPerBadSequence) {
    EXPECT_EQ(PlatformValue::string("Caf\xC3\xA9 \xF0\x9F\x93\xB6").asString(),
              "Caf\xC3\xA9 \xF0\x9F\x93\xB6");
    EXPECT_EQ(PlatformValue::string("a\xFF"
                                    "b")
                  .asString(),
              "a\uFFFDb");
    EXPECT_EQ(PlatformValue::string("cut \xE2\x82").asString(), "cut \uFFFD");
    // Overlong forms, surrogates and code points past U+10FFFF are ill-formed.
    EXPECT_EQ(PlatformValue::string("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80").asString(),
              "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(PlatformValue::string("\xE2\x82\xE2\x82\xAC").asString(), "\uFFFD\u20AC");
}

TEST(PlatformValueTest, DictionariesFindEveryKeyTheyHoldAndNoKeyInBetweenOrBeyond) {
    PlatformValue::Dictionary entries;
    for (const char* key : {"kCGWindowAlpha", "kCGWindowBounds", "kCGWindowLayer", "kCGWindowName",
                            "kCGWindowNumber", "kCGWindowOwnerPID"})
        entries.emplace(key, PlatformValue::string(key));
    const auto window = PlatformValue::dictionary(std::move(entries));
    for (const char* key : {"kCGWindowAlpha", "kCGWindowBounds", "kCGWindowLayer", "kCGWindowName",
                            "kCGWindowNumber", "kCGWindowOwnerPID"}) {
        ASSERT_TRUE(window.find(key)) << key;
        EXPECT_EQ(window.find(key)->asStringView(), key);
    }
    for (const char* key : {"", "A", "kCGWindow", "kCGWindowIsOnscreen", "kCGWindowOwnerPIDs", "z"})
        EXPECT_FALSE(window.find(key)) << key;
    ASSERT_TRUE(window.asDictionary());
    EXPECT_EQ(window.asDictionary()->size(), 6u);
    EXPECT_FALSE(PlatformValue::dictionary({}).find(""));
    // A whole number read as a number, whichever way the platform stored it.
    const auto bounds = PlatformValue::dictionary(
        {{"X", PlatformValue::real(1)}, {"Y", PlatformValue::integer(2)}});
    EXPECT_EQ(bounds.find("Y")->asNumber(), 2.0);
    EXPECT_FALSE(bounds.find("X")->asInteger());
    EXPECT_FALSE(bounds.find("Y")->asString());
}

} // namespace
} // namespace corvel::platform
