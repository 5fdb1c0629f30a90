#include "platform_mac/MacScreenCapture.h"

#include "async/Completion.h"
#include "platform_mac/AppleStrings.h"
#include "platform_mac/CoreFoundationReference.h"
#include "platform_mac/MacImages.h"
#include "platform_mac/PremultipliedPixels.h"

#include <CoreGraphics/CoreGraphics.h>
#import <ScreenCaptureKit/ScreenCaptureKit.h>

namespace corvel::mac {

namespace {

using Windows = std::optional<std::vector<platform::ShareableWindow>>;
using Image = std::optional<platform::CapturedImage>;

// Four bytes per pixel, R G B A in memory order, as the ports hold them; the
// context premultiplies.
constexpr std::uint32_t rgbaPremultiplied =
    static_cast<std::uint32_t>(kCGImageAlphaPremultipliedLast) | kCGBitmapByteOrder32Big;

std::string describe(NSError* error) {
    if (!error)
        return "no error given";
    return stdString(error.localizedDescription) + " (" + stdString(error.domain) + " " +
           std::to_string(error.code) + ")";
}

platform::ShareableWindow read(SCWindow* window) {
    const CGRect frame = window.frame;
    return {window.windowID,
            {{frame.origin.x, frame.origin.y}, {frame.size.width, frame.size.height}},
            window.owningApplication ? window.owningApplication.processID : 0,
            stdString(window.title),
            static_cast<bool>(window.onScreen)};
}

// Drawn into a context of our own so that the rows come out top to bottom in
// the ports' byte order, whatever the capture's own layout.
Image pixels(CGImageRef image, FirstUseLog& notes) {
    const std::size_t width = CGImageGetWidth(image), height = CGImageGetHeight(image);
    if (width == 0 || height == 0)
        return std::nullopt;
    std::vector<std::uint8_t> premultiplied(width * height * 4);
    const auto space = CFRef<CGColorSpaceRef>::adopt(CGColorSpaceCreateDeviceRGB());
    const auto context = CFRef<CGContextRef>::adopt(CGBitmapContextCreate(
        premultiplied.data(), width, height, 8, width * 4, space.get(), rgbaPremultiplied));
    if (!context) {
        notes.once("bitmap context", "Corvel: CGBitmapContextCreate refused bitmap info " +
                                         std::to_string(rgbaPremultiplied) +
                                         "; captures give no pixels");
        return std::nullopt;
    }
    CGContextDrawImage(context.get(), CGRectMake(0, 0, width, height), image);
    return platform::CapturedImage{static_cast<std::uint32_t>(width),
                                   static_cast<std::uint32_t>(height),
                                   PremultipliedPixels::straight(premultiplied)};
}

// One answer of ScreenCaptureKit, delivered on the main executor.
template <class T> struct Answer {
    std::shared_ptr<ExecutorMailbox> mainThread;
    std::shared_ptr<async::Completion<T>> completion = std::make_shared<async::Completion<T>>();

    void deliver(T value) const {
        mainThread->post([completion = completion, value = std::move(value)]() mutable {
            completion->complete(std::move(value));
        });
    }
};

async::Task<SCShareableContent*> shareableContent(std::shared_ptr<ExecutorMailbox> mainThread,
                                                  std::shared_ptr<FirstUseLog> notes) {
    Answer<SCShareableContent*> answer{std::move(mainThread)};
    [SCShareableContent
        getShareableContentWithCompletionHandler:^(SCShareableContent* content, NSError* error) {
          if (!content)
              notes->log().write("Corvel: SCShareableContent gave no content: " + describe(error));
          answer.deliver(content);
        }];
    SCShareableContent* content = co_await answer.completion->wait();
    co_return content;
}

} // namespace

MacScreenCapture::MacScreenCapture(async::Executor& mainExecutor,
                                   std::shared_ptr<FirstUseLog> notes)
    : mainThread_(std::make_shared<ExecutorMailbox>(mainExecutor)), notes_(std::move(notes)) {}

MacScreenCapture::~MacScreenCapture() {
    mainThread_->close();
}

bool MacScreenCapture::preflightAccess() const {
    return CGPreflightScreenCaptureAccess();
}

bool MacScreenCapture::requestAccess() {
    return CGRequestScreenCaptureAccess();
}

async::Task<Windows> MacScreenCapture::shareableWindows() {
    auto listing = shareableContent(mainThread_, notes_);
    SCShareableContent* content = co_await std::move(listing);
    if (!content)
        co_return std::nullopt;
    std::vector<platform::ShareableWindow> windows;
    for (SCWindow* window in content.windows)
        windows.push_back(read(window));
    co_return windows;
}

async::Task<Image> MacScreenCapture::captureImage(platform::CaptureConfiguration configuration) {
    auto listing = shareableContent(mainThread_, notes_);
    SCShareableContent* content = co_await std::move(listing);
    SCWindow* target = nil;
    for (SCWindow* window in content.windows)
        if (window.windowID == configuration.desktopIndependentWindowID)
            target = window;
    if (!target)
        co_return std::nullopt;

    SCContentFilter* filter = [[SCContentFilter alloc] initWithDesktopIndependentWindow:target];
    SCStreamConfiguration* settings = [[SCStreamConfiguration alloc] init];
    settings.width = configuration.width;
    settings.height = configuration.height;
    settings.showsCursor = configuration.showsCursor;
    if ([settings respondsToSelector:@selector(setIgnoreGlobalClipSingleWindow:)])
        settings.ignoreGlobalClipSingleWindow = configuration.ignoreGlobalClipSingleWindow;
    else
        notes_->once("ignoreGlobalClipSingleWindow",
                     "Corvel: SCStreamConfiguration has no ignoreGlobalClipSingleWindow; "
                     "captures keep the global clip");

    Answer<Image> answer{mainThread_};
    std::shared_ptr<FirstUseLog> notes = notes_;
    [SCScreenshotManager
        captureImageWithFilter:filter
                 configuration:settings
             completionHandler:^(CGImageRef image, NSError* error) {
               // The image is lent for the length of this block: its pixels
               // are read here.
               if (!image) {
                   notes->log().write("Corvel: SCScreenshotManager captured nothing: " +
                                      describe(error));
                   answer.deliver(std::nullopt);
                   return;
               }
               answer.deliver(pixels(image, *notes));
             }];
    Image captured = co_await answer.completion->wait();
    co_return captured;
}

std::optional<std::vector<std::uint8_t>>
MacScreenCapture::pngRepresentation(const platform::CapturedImage& image) {
    const std::size_t width = image.width, height = image.height;
    if (width == 0 || height == 0 || image.rgba.size() != width * height * 4)
        return std::nullopt;
    auto premultiplied = PremultipliedPixels::premultiplied(image.rgba);
    const auto space = CFRef<CGColorSpaceRef>::adopt(CGColorSpaceCreateDeviceRGB());
    const auto context = CFRef<CGContextRef>::adopt(CGBitmapContextCreate(
        premultiplied.data(), width, height, 8, width * 4, space.get(), rgbaPremultiplied));
    if (!context)
        return std::nullopt;
    const auto drawn = CFRef<CGImageRef>::adopt(CGBitmapContextCreateImage(context.get()));
    if (!drawn)
        return std::nullopt;
    return MacImages::png(drawn.get());
}

} // namespace corvel::mac
