#include "platform/EventFlags.h"
#include "platform_mac/AccessibilityCalls.h"
#include "platform_mac/AppKitCoordinates.h"
#include "platform_mac/FirstUseLog.h"
#include "platform_mac/ModifierConversion.h"
#include "platform_mac/MonitoredEventReading.h"
#include "platform_mac/PremultipliedPixels.h"
#include "platform_mac/RememberedPosition.h"
#include "platform_mac/StampedEventFields.h"
#include "platform_mac/SymbolicHotKeyReading.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::mac;
using platform::EventFlags;
using platform::Point;
using platform::Rect;

TEST(AppKitCoordinatesTest, flipAboutTheMenuBarScreensHeightWhicheverScreenHoldsThePoint) {
    constexpr double height = 982;
    // The menu bar's top edge, and a point on a screen stacked above it.
    EXPECT_EQ(AppKitCoordinates::flipped(Point{10, 982}, height), (Point{10, 0}));
    EXPECT_EQ(AppKitCoordinates::flipped(Point{-300, 1500}, height), (Point{-300, -518}));
    // A 24-point item whose top touches the screen's top: origin 958 in
    // AppKit, 0 in the ports.
    const Rect appKit{{1200, 958}, {38, 24}};
    const Rect ports = AppKitCoordinates::flipped(appKit, height);
    EXPECT_EQ(ports, (Rect{{1200, 0}, {38, 24}}));
    EXPECT_EQ(AppKitCoordinates::flipped(ports, height), appKit);
}

TEST(MonitoredEventReadingTest, keepsKnownTypesAndDeviceIndependentFlagsInTopLeftCoordinates) {
    const auto click = MonitoredEventReading::read(
        3, Point{500, 900}, 982, EventFlags::maskCommand | EventFlags::maskShift | 0x0108);
    EXPECT_EQ(click.type, platform::EventType::rightMouseDown);
    EXPECT_EQ(click.location, (Point{500, 82}));
    EXPECT_EQ(click.modifierFlags, EventFlags::maskCommand | EventFlags::maskShift);
    // Scroll wheel (22) and the like are not among the ports' types.
    EXPECT_EQ(MonitoredEventReading::read(22, {}, 982, 0).type, platform::EventType::null);
    EXPECT_EQ(MonitoredEventReading::read(12, {}, 982, 0).type, platform::EventType::flagsChanged);
}

TEST(ModifierConversionTest, menuKeyEquivalentsUseTheEventFlagBits) {
    EXPECT_EQ(ModifierConversion::menuKeyEquivalentMask({}), EventFlags::maskCommand);
    EXPECT_EQ(ModifierConversion::menuKeyEquivalentMask(
                  {.command = false, .shift = true, .option = true, .control = true}),
              EventFlags::maskShift | EventFlags::maskAlternate | EventFlags::maskControl);
}

TEST(PremultipliedPixelsTest, opaquePixelsSurviveTheRoundTripAndTranslucentOnesComeBackClose) {
    const std::vector<std::uint8_t> straight{10, 200, 255, 255, 200, 100, 50, 128, 9, 9, 9, 0};
    const auto premultiplied = PremultipliedPixels::premultiplied(straight);
    EXPECT_EQ(premultiplied,
              (std::vector<std::uint8_t>{10, 200, 255, 255, 100, 50, 25, 128, 0, 0, 0, 0}));
    const auto back = PremultipliedPixels::straight(premultiplied);
    EXPECT_EQ(back, (std::vector<std::uint8_t>{10, 200, 255, 255, 199, 100, 50, 128, 0, 0, 0, 0}));
    // A colour above its alpha cannot come from a bitmap context; it is capped.
    EXPECT_EQ(PremultipliedPixels::straight({200, 0, 0, 100})[0], 255);
}

TEST(UnconfirmedGuessesTest, theUndocumentedEventFieldIsNamedOnceAndDocumentedOnesNever) {
    auto memory = std::make_shared<test::MemoryLog>();
    FirstUseLog log(memory);
    for (int field : {40, 42, 51, 91, 92, 51, 1, 3, 9})
        if (auto note = StampedEventFields::firstUseNote(field))
            log.once("field " + std::to_string(field), *note);
    ASSERT_EQ(memory->lines().size(), 1u);
    EXPECT_EQ(memory->lines().front(),
              "Corvel: CGEventSetIntegerValueField sets event field 51, which the platform does "
              "not document; if items do not move, check this field first");
}

TEST(UnconfirmedGuessesTest, forgettingAPositionSaysWhichKeyItTriedAndWhatItFound) {
    EXPECT_EQ(RememberedPosition::key("Corvel-HiddenRegionSpacer"),
              "NSStatusItem Preferred Position Corvel-HiddenRegionSpacer");
    EXPECT_EQ(RememberedPosition::logLine("Corvel-HiddenRegionSpacer", "1480"),
              "Corvel: forgot the remembered position of Corvel-HiddenRegionSpacer: removed "
              "\"NSStatusItem Preferred Position Corvel-HiddenRegionSpacer\" = 1480 from the "
              "defaults");
    EXPECT_EQ(RememberedPosition::logLine("X", std::nullopt),
              "Corvel: no remembered position of X under \"NSStatusItem Preferred Position X\" "
              "in the defaults; if the item keeps its place, the key has another form");
}

TEST(AccessibilityCallsTest, codesThePortDoesNotNameAreFailuresAndOnlyThePromptOptionIsPassed) {
    using platform::AccessibilityError;
    EXPECT_EQ(AccessibilityCalls::error(-25211), AccessibilityError::apiDisabled);
    EXPECT_EQ(AccessibilityCalls::error(0), AccessibilityError::success);
    EXPECT_EQ(AccessibilityCalls::error(-25203), AccessibilityError::failure);
    EXPECT_EQ(AccessibilityCalls::error(12345), AccessibilityError::failure);

    using platform::PlatformValue;
    const auto options = AccessibilityCalls::trustCheckOptions(
        {{"AXTrustedCheckOptionPrompt", PlatformValue::boolean(true)},
         {"SomethingElse", PlatformValue::boolean(true)}});
    EXPECT_EQ(options.prompt, true);
    EXPECT_EQ(options.ignored, std::vector<std::string>{"SomethingElse"});
    const auto wrongType = AccessibilityCalls::trustCheckOptions(
        {{"AXTrustedCheckOptionPrompt", PlatformValue::integer(1)}});
    EXPECT_FALSE(wrongType.prompt);
    EXPECT_EQ(wrongType.ignored.size(), 1u);
}

TEST(SymbolicHotKeyReadingTest, readsTheSystemsShortcutsAndLeavesOutEntriesWithoutKeyOrModifiers) {
    using platform::PlatformValue;
    using Reading = SymbolicHotKeyReading;
    auto entry = [](PlatformValue::Dictionary entries) {
        return PlatformValue::dictionary(std::move(entries));
    };
    const auto list = PlatformValue::array({
        // Spotlight: Command-Space.
        entry({{std::string(Reading::codeKey), PlatformValue::integer(49)},
               {std::string(Reading::modifiersKey), PlatformValue::integer(0x100)},
               {std::string(Reading::enabledKey), PlatformValue::boolean(true)}}),
        entry({{std::string(Reading::codeKey), PlatformValue::integer(49)},
               {std::string(Reading::modifiersKey), PlatformValue::integer(0x1100)},
               {std::string(Reading::enabledKey), PlatformValue::integer(0)}}),
        // Says nothing of being enabled: counted as enabled.
        entry({{std::string(Reading::codeKey), PlatformValue::integer(12)},
               {std::string(Reading::modifiersKey), PlatformValue::integer(0x1100)}}),
        entry({{std::string(Reading::codeKey), PlatformValue::integer(12)}}),
        entry({{std::string(Reading::codeKey), PlatformValue::integer(-1)},
               {std::string(Reading::modifiersKey), PlatformValue::integer(0)}}),
        PlatformValue::string("not an entry"),
    });
    EXPECT_EQ(Reading::read(list),
              (std::vector<platform::SymbolicHotKey>{
                  {49, 0x100, true}, {49, 0x1100, false}, {12, 0x1100, true}}));
    EXPECT_FALSE(Reading::read(PlatformValue::integer(3)));
}
