#include "settings/GroupSymbolPicker.h"

#include <gtest/gtest.h>
#include <set>
#include <string_view>

namespace corvel {
namespace {

namespace Picker = GroupSymbolPicker;

TEST(GroupSymbolPickerTest, ThePaletteHoldsTwentyFourDistinctSymbolsStartingWithTheDefault) {
    EXPECT_EQ(Picker::defaultSymbol, "folder.fill");
    EXPECT_EQ(Picker::availableSymbols.front(), Picker::defaultSymbol);
    EXPECT_EQ(
        std::set<std::string_view>(Picker::availableSymbols.begin(), Picker::availableSymbols.end())
            .size(),
        24u);
    EXPECT_EQ(Picker::availableSymbols[8], "network");
    EXPECT_EQ(Picker::availableSymbols[12], "music.note");
    EXPECT_EQ(Picker::availableSymbols[20], "wrench.and.screwdriver.fill");
    EXPECT_EQ(Picker::availableSymbols.back(), "wifi");
}

TEST(GroupSymbolPickerTest, OnlyTheSelectedPaletteSymbolIsMarked) {
    EXPECT_EQ(Picker::markedIndex("wifi"), 23u);
    EXPECT_EQ(Picker::markedIndex("folder.fill"), 0u);
    EXPECT_EQ(Picker::markedIndex("tortoise.fill"), std::nullopt);
    EXPECT_EQ(Picker::markedIndex(""), std::nullopt);
}

} // namespace
} // namespace corvel
