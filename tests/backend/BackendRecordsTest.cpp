#include "backend/MenuBarChangeEvent.h"
#include "backend/ObservedItem.h"

#include <gtest/gtest.h>
#include <unordered_set>

namespace corvel {
namespace {

constexpr Uuid tokenUuid = Uuid::literal("6F1C1D3A-2B4E-4C5D-9E8F-0A1B2C3D4E5F");

ObservedItem itemWithFrame(ItemFrame frame) {
    return {BackendItemToken(tokenUuid), {"com.example.clock", "Clock"}, false, frame};
}

TEST(BackendRecordsTest, readingsOfOneItemWithDifferentFramesAreDifferentValuesOfTheSameItem) {
    auto before = itemWithFrame({100, 0, 22, 24});
    auto after = itemWithFrame({-9800, 0, 22, 24});
    EXPECT_NE(before, after);
    EXPECT_EQ(before.id, after.id);
    std::unordered_set<ObservedItem> seen{before, after};
    EXPECT_EQ(seen.size(), 2u);
}

TEST(BackendRecordsTest, changeEventsAreEqualOnlyWithTheSameCaseAndPayload) {
    auto item = itemWithFrame({100, 0, 22, 24});
    EXPECT_EQ(MenuBarChangeEvent::itemAppeared(item), MenuBarChangeEvent::itemAppeared(item));
    EXPECT_NE(MenuBarChangeEvent::itemAppeared(item), MenuBarChangeEvent::itemChanged(item));
    EXPECT_NE(MenuBarChangeEvent::menuBarGeometryUnsettled(true),
              MenuBarChangeEvent::menuBarGeometryUnsettled(false));
    EXPECT_NE(MenuBarChangeEvent::ownChromeClicked(tokenUuid, {1, 2, 3, 4}),
              MenuBarChangeEvent::ownChromeClicked(tokenUuid, {1, 2, 3, 5}));

    std::unordered_set<MenuBarChangeEvent> events{
        MenuBarChangeEvent::itemAppeared(item), MenuBarChangeEvent::itemChanged(item),
        MenuBarChangeEvent::itemDisappeared(item.id), MenuBarChangeEvent::itemDisappeared(item.id)};
    EXPECT_EQ(events.size(), 3u);
}

} // namespace
} // namespace corvel
