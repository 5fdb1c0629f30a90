#include "settings/GroupSymbolPicker.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

namespace Picker = GroupSymbolPicker;

TEST(GroupSymbolPickerTest, OnlyTheSelectedPaletteSymbolIsMarked) {
    EXPECT_EQ(Picker::markedIndex("wifi"), 23u);
    EXPECT_EQ(Picker::markedIndex("folder.fill"), 0u);
    EXPECT_EQ(Picker::markedIndex("tortoise.fill"), std::nullopt);
    EXPECT_EQ(Picker::markedIndex(""), std::nullopt);
}

} // namespace
} // namespace corvel
