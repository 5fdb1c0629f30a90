#include "backend_mac26/MenuBarWindowListReader.h"
#include "platform/WindowInfoKey.h"

#include <cmath>
#include <gtest/gtest.h>

namespace corvel {
namespace {

using platform::PlatformValue;
using platform::WindowInfoKey;
using Dictionary = PlatformValue::Dictionary;

PlatformValue bounds(PlatformValue x, PlatformValue y, PlatformValue width, PlatformValue height) {
    return PlatformValue::dictionary(
        {{std::string(WindowInfoKey::boundsX), std::move(x)},
         {std::string(WindowInfoKey::boundsY), std::move(y)},
         {std::string(WindowInfoKey::boundsWidth), std::move(width)},
         {std::string(WindowInfoKey::boundsHeight), std::move(height)}});
}

Dictionary wellFormed(std::int64_t number) {
    return {{std::string(WindowInfoKey::layer), PlatformValue::integer(25)},
            {std::string(WindowInfoKey::number), PlatformValue::integer(number)},
            {std::string(WindowInfoKey::ownerPID), PlatformValue::integer(300)},
            {std::string(WindowInfoKey::name), PlatformValue::string("Item-0")},
            {std::string(WindowInfoKey::bounds),
             bounds(PlatformValue::real(10), PlatformValue::integer(0), PlatformValue::real(28),
                    PlatformValue::real(24))}};
}

std::vector<MenuBarWindowInfo> read(std::vector<Dictionary> entries, std::int64_t layer = 25) {
    PlatformValue::Array array;
    for (auto& entry : entries)
        array.push_back(PlatformValue::dictionary(std::move(entry)));
    const auto list = PlatformValue::array(std::move(array));
    return MenuBarWindowListReader::windows(&list, layer);
}

Dictionary with(Dictionary entry, std::string_view key, std::optional<PlatformValue> value) {
    if (value)
        entry.insert_or_assign(std::string(key), *value);
    else
        entry.erase(std::string(key));
    return entry;
}

TEST(MenuBarWindowListReader, readsEveryFieldOfAWellFormedWindowTakingIntegersAsNumbers) {
    const auto windows = read({wellFormed(101)});
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].windowID, 101u);
    EXPECT_EQ(windows[0].ownerPID, 300);
    EXPECT_EQ(windows[0].name, "Item-0");
    EXPECT_EQ(windows[0].bounds, (platform::Rect{{10, 0}, {28, 24}}));
}

TEST(MenuBarWindowListReader, skipsWindowsWithoutAnIntegerLayerEqualToTheOneAskedFor) {
    const auto windows = read(
        {with(wellFormed(1), WindowInfoKey::layer, std::nullopt),
         with(wellFormed(2), WindowInfoKey::layer, PlatformValue::string("25")),
         with(wellFormed(3), WindowInfoKey::layer, PlatformValue::real(25)),
         with(wellFormed(4), WindowInfoKey::layer, PlatformValue::integer(101)), wellFormed(5)});
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].windowID, 5u);
    EXPECT_EQ(
        read({with(wellFormed(4), WindowInfoKey::layer, PlatformValue::integer(101))}, 101).size(),
        1u);
}

TEST(MenuBarWindowListReader, skipsWindowsWithoutAWindowNumberThatFitsThirtyTwoBits) {
    const auto windows =
        read({with(wellFormed(1), WindowInfoKey::number, std::nullopt),
              with(wellFormed(1), WindowInfoKey::number, PlatformValue::string("7")),
              with(wellFormed(1), WindowInfoKey::number, PlatformValue::real(7)), wellFormed(-1),
              wellFormed(std::int64_t{1} << 32), wellFormed(0xFFFFFFFF)});
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].windowID, 0xFFFFFFFFu);
}

TEST(MenuBarWindowListReader, defaultsAMissingOrMistypedOwnerToMinusOneAndNameToEmpty) {
    const auto windows =
        read({with(with(wellFormed(1), WindowInfoKey::ownerPID, std::nullopt), WindowInfoKey::name,
                   std::nullopt),
              with(with(wellFormed(2), WindowInfoKey::ownerPID, PlatformValue::string("300")),
                   WindowInfoKey::name, PlatformValue::integer(5)),
              with(wellFormed(3), WindowInfoKey::ownerPID,
                   PlatformValue::integer(std::int64_t{1} << 40))});
    ASSERT_EQ(windows.size(), 3u);
    for (const auto& window : windows) {
        EXPECT_EQ(window.ownerPID, -1);
        EXPECT_TRUE(window.bounds);
    }
    EXPECT_EQ(windows[0].name, "");
    EXPECT_EQ(windows[1].name, "");
}

TEST(MenuBarWindowListReader, keepsAWindowWithPartialOrMistypedBoundsButWithoutBounds) {
    auto partial = PlatformValue::dictionary({{"X", PlatformValue::real(1)},
                                              {"Y", PlatformValue::real(0)},
                                              {"Width", PlatformValue::real(28)}});
    const auto windows = read({
        with(wellFormed(1), WindowInfoKey::bounds, std::nullopt),
        with(wellFormed(2), WindowInfoKey::bounds, partial),
        with(wellFormed(3), WindowInfoKey::bounds,
             bounds(PlatformValue::real(1), PlatformValue::string("0"), PlatformValue::real(28),
                    PlatformValue::real(24))),
        with(wellFormed(4), WindowInfoKey::bounds, PlatformValue::string("{0,0,28,24}")),
        with(wellFormed(5), WindowInfoKey::bounds,
             bounds(PlatformValue::real(std::nan("")), PlatformValue::real(0),
                    PlatformValue::real(28), PlatformValue::real(24))),
    });
    ASSERT_EQ(windows.size(), 5u);
    for (const auto& window : windows)
        EXPECT_FALSE(window.bounds) << window.windowID;
}

TEST(MenuBarWindowListReader,
     givesNothingForAnAnswerThatIsNotAnArrayAndSkipsEntriesThatAreNotDictionaries) {
    EXPECT_TRUE(MenuBarWindowListReader::windows(nullptr, 25).empty());
    const auto text = PlatformValue::string("windows");
    EXPECT_TRUE(MenuBarWindowListReader::windows(&text, 25).empty());
    const auto mixed =
        PlatformValue::array({PlatformValue::integer(25), PlatformValue::dictionary(wellFormed(9)),
                              PlatformValue::array({PlatformValue::dictionary(wellFormed(10))})});
    const auto windows = MenuBarWindowListReader::windows(&mixed, 25);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].windowID, 9u);
}

} // namespace
} // namespace corvel
