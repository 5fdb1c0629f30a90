#include "backend_mac26/StampedMoveEvent.h"

#include "async/ManualLoop.h"
#include "platform/EventFlags.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using platform::EventField;
using platform::EventType;

class StampedMoveEventTest : public ::testing::Test {
  protected:
    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop =
        sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::defaultScenario());
    platform::EventSource source =
        *desktop->createSource(platform::EventSourceStateID::hidSystemState);
};

void expectStamped(const platform::SyntheticEvent& event, std::uint32_t window, std::int32_t pid,
                   EventType type) {
    EXPECT_EQ(event.type, type);
    EXPECT_EQ(event.integerValueField(EventField::eventTargetUnixProcessID), pid);
    EXPECT_EQ(event.integerValueField(EventField::eventSourceUserData),
              static_cast<std::int64_t>(window) * 4 + static_cast<int>(type));
    EXPECT_EQ(event.integerValueField(EventField::mouseEventWindowUnderMousePointer), window);
    EXPECT_EQ(event.integerValueField(
                  EventField::mouseEventWindowUnderMousePointerThatCanHandleThisEvent),
              window);
    EXPECT_EQ(event.integerValueField(51), window);
    EXPECT_EQ(event.integerValueField(EventField::mouseEventButtonNumber), 0);
}

TEST_F(StampedMoveEventTest, theMouseDownHoldsCommandAtTheBogusPointStampedWithTheItemWindow) {
    const auto down = StampedMoveEvent::mouseDown(*desktop, 7, 512, source);
    ASSERT_TRUE(down);
    expectStamped(*down, 7, 512, EventType::leftMouseDown);
    EXPECT_EQ(down->integerValueField(EventField::eventSourceUserData), 29);
    EXPECT_EQ(down->flags, platform::EventFlags::maskCommand);
    EXPECT_EQ(down->location, (platform::Point{20000.0, 20000.0}));
    EXPECT_EQ(down->source, source);
}

TEST_F(StampedMoveEventTest, theMouseUpIsPlainAtTheDropPointStampedWithTheSpacerWindow) {
    const auto up = StampedMoveEvent::mouseUp(*desktop, {640, 12}, 0x1A2B, 512, source);
    ASSERT_TRUE(up);
    expectStamped(*up, 0x1A2B, 512, EventType::leftMouseUp);
    EXPECT_EQ(up->integerValueField(EventField::eventSourceUserData), 26798);
    EXPECT_EQ(up->flags, 0u);
    EXPECT_EQ(up->location, (platform::Point{640, 12}));
}

TEST_F(StampedMoveEventTest, wakeUpHalvesArePlainAndCarryTheirOwnEventType) {
    const auto down =
        StampedMoveEvent::wakeUp(*desktop, EventType::leftMouseDown, {30, 12}, 300, 77, source);
    const auto up =
        StampedMoveEvent::wakeUp(*desktop, EventType::leftMouseUp, {30, 12}, 300, 77, source);
    ASSERT_TRUE(down && up);
    expectStamped(*down, 300, 77, EventType::leftMouseDown);
    expectStamped(*up, 300, 77, EventType::leftMouseUp);
    EXPECT_EQ(down->flags, 0u);
    EXPECT_NE(down->serial, up->serial);
}

} // namespace
} // namespace corvel
