#include "SimTestSupport.h"
#include "support/RunTask.h"

namespace corvel::test {
namespace {

class CaptureTest : public SimulatedDesktopTest {
  protected:
    std::optional<platform::CapturedImage> capture(std::uint32_t windowNumber, std::uint32_t width,
                                                   std::uint32_t height) {
        platform::CaptureConfiguration configuration;
        configuration.desktopIndependentWindowID = windowNumber;
        configuration.width = width;
        configuration.height = height;
        configuration.showsCursor = false;
        return runTask(loop, desktop->captureImage(configuration));
    }
    static std::uint32_t bigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
        return (std::uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) |
               bytes[at + 3];
    }
};

TEST_F(CaptureTest, PreflightAndRequestAnswerThePermissionAndARequestMayGrant) {
    auto scenario = smallScenario();
    scenario.screenRecording = sim::Scenario::Permission::grantedOnRequest;
    start(scenario);
    EXPECT_FALSE(desktop->preflightAccess());
    EXPECT_FALSE(runTask(loop, desktop->shareableWindows()));
    EXPECT_TRUE(desktop->requestAccess());
    EXPECT_TRUE(desktop->preflightAccess());
    desktop->setScreenRecordingGrantedOnRequest(false);
    desktop->setScreenRecordingGranted(false);
    EXPECT_FALSE(desktop->requestAccess());
    EXPECT_EQ(desktop->counters().screenRecordingRequests, 2);
}

TEST_F(CaptureTest, ShareableWindowsAreTheStatusItemWindowsAtLeastPartlyOnScreen) {
    start();
    auto wide = makeItem("Wide");
    auto hidden = makeItem("Hidden");
    wide->setLength(10000);
    const auto windows = *runTask(loop, desktop->shareableWindows());
    std::vector<std::string> titles;
    for (const auto& window : windows)
        titles.push_back(window.title);
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "Hidden"), 0);
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "Wide"), 1);
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "alpha"), 1);
}

TEST_F(CaptureTest, ACaptureIsADeterministicPictureOfTheRequestedPixelSizeEncodedAsPng) {
    start();
    const auto image = capture(window("alpha"), 60, 48);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 60u);
    EXPECT_EQ(image->height, 48u);
    EXPECT_EQ(capture(window("alpha"), 60, 48), image);
    EXPECT_NE(capture(window("beta"), 60, 48), image);

    const auto png = desktop->pngRepresentation(*image);
    ASSERT_TRUE(png);
    const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png->begin()));
    EXPECT_EQ(bigEndian(*png, 16), 60u);
    EXPECT_EQ(bigEndian(*png, 20), 48u);
}

TEST_F(CaptureTest, CapturesFailForHiddenWindowsUnknownWindowsAndWhenSwitchedToFail) {
    start();
    auto wide = makeItem("Wide");
    auto hidden = makeItem("Hidden");
    wide->setLength(10000);
    EXPECT_FALSE(capture(window("Hidden"), 48, 48));
    EXPECT_FALSE(capture(424242, 48, 48));
    desktop->setCaptureFails(true);
    EXPECT_FALSE(capture(window("alpha"), 48, 48));
    EXPECT_FALSE(runTask(loop, desktop->shareableWindows()));
}

} // namespace
} // namespace corvel::test
