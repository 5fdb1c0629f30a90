#include "Mac26SimFixture.h"
#include "backend_mac26/Mac26SnapshotCapturer.h"

namespace corvel::test {
namespace {

TEST(Mac26SnapshotCapturer, capturesAtTwiceTheWholePointSizeAndAtLeastTwoPixelsWithoutCursor) {
    const auto config = Mac26SnapshotCapturer::configuration(7, {{10, 0}, {23.7, 24}});
    EXPECT_EQ(config.desktopIndependentWindowID, 7u);
    EXPECT_EQ(config.width, 46u);
    EXPECT_EQ(config.height, 48u);
    EXPECT_FALSE(config.showsCursor);
    EXPECT_TRUE(config.ignoreGlobalClipSingleWindow);
    EXPECT_EQ(Mac26SnapshotCapturer::configuration(7, {{0, 0}, {0.4, 24}}).width, 2u);
    EXPECT_EQ(Mac26SnapshotCapturer::configuration(7, {{0, 0}, {-23.7, 0}}).width, 46u);
    EXPECT_EQ(Mac26SnapshotCapturer::configuration(7, {{0, 0}, {-23.7, 0}}).height, 2u);
}

/// Width and height from a PNG's header.
std::pair<std::uint32_t, std::uint32_t> pngSize(const std::vector<std::uint8_t>& png) {
    auto word = [&](std::size_t at) {
        return std::uint32_t{png[at]} << 24 | std::uint32_t{png[at + 1]} << 16 |
               std::uint32_t{png[at + 2]} << 8 | std::uint32_t{png[at + 3]};
    };
    return {word(16), word(20)};
}

class SnapshotCaptureTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        Mac26SimTest::SetUp();
        prepare();
    }
    CaptureResult capture(const ObservedItem& item) {
        return run(backend->captureSnapshot(item))
            .value_or(CaptureResult::unavailable(CaptureUnavailableReason::systemCaptureFailure));
    }
};

TEST_P(SnapshotCaptureTest, aVisibleItemIsCapturedAsPngAtTwiceItsSizeWithTheWallClocksTime) {
    const auto item = observed("testbed.one");
    const auto frame = frameOf("testbed.one");

    const auto result = capture(item);

    ASSERT_EQ(result.kind(), CaptureResult::Kind::captured);
    const auto& png = result.snapshot()->pngData;
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 4),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}));
    EXPECT_EQ(pngSize(png), (std::pair<std::uint32_t, std::uint32_t>{
                                2 * static_cast<std::uint32_t>(frame.size.width),
                                2 * static_cast<std::uint32_t>(frame.size.height)}));
    EXPECT_EQ(result.snapshot()->capturedAt, desktop->now());
    EXPECT_EQ(desktop->counters().captures, 1);
}

TEST_P(SnapshotCaptureTest, aFiledItemIsNotOnScreenWithOrWithoutThePermissionAndIsNotCaptured) {
    ASSERT_EQ(failureOf(backend->moveIntoHiddenRegion(observed("testbed.one"))), std::nullopt);
    const auto stale = observed("testbed.one");

    EXPECT_EQ(capture(stale),
              CaptureResult::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen));
    // While Control Center hosts the windows, Screen Recording is what names
    // them, the spacer included: without it no item can be placed in the
    // region at all, so only an unhosted bar can show this case.
    if (!hosted()) {
        desktop->setScreenRecordingGranted(false);
        EXPECT_EQ(capture(stale),
                  CaptureResult::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen));
    }
    EXPECT_EQ(desktop->counters().captures, 0);
}

TEST_P(SnapshotCaptureTest, theFreshReadingDecidesNotTheRecordHandedIn) {
    auto item = observed("testbed.one");
    item.isInHiddenRegion = true;
    EXPECT_EQ(capture(item).kind(), CaptureResult::Kind::captured);

    const ObservedItem gone{Mac26WindowToken::token(999999), item.identity, false, item.frame};
    EXPECT_EQ(capture(gone),
              CaptureResult::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen));
}

TEST_P(SnapshotCaptureTest, aVisibleItemWithoutScreenRecordingIsNotCaptured) {
    desktop->setScreenRecordingGranted(false);

    EXPECT_EQ(capture(observed("testbed.one")),
              CaptureResult::unavailable(CaptureUnavailableReason::screenRecordingNotGranted));
    EXPECT_EQ(desktop->counters().captures, 0);
}

TEST_P(SnapshotCaptureTest, aFailingCaptureIsASystemCaptureFailure) {
    const auto item = observed("testbed.one");
    desktop->setCaptureFails(true);

    EXPECT_EQ(capture(item),
              CaptureResult::unavailable(CaptureUnavailableReason::systemCaptureFailure));
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, SnapshotCaptureTest,
                         ::testing::ValuesIn(builtInScenarios()), scenarioName);

} // namespace
} // namespace corvel::test
