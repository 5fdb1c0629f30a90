#include "platform_mac/MacStatusBarButton.h"

#include "platform_mac/AppleStrings.h"
#include "platform_mac/MacImages.h"
#include "platform_mac/MainThread.h"

using corvel::platform::StatusBarButton;

/// Receives the button's clicks and runs the port's action.
@interface CorvelButtonTarget : NSObject
- (instancetype)initWithAction:(StatusBarButton::Action)action;
- (void)click:(NSStatusBarButton*)sender;
@end

@implementation CorvelButtonTarget {
    StatusBarButton::Action _action;
}

- (instancetype)initWithAction:(StatusBarButton::Action)action {
    if ((self = [super init]))
        _action = std::move(action);
    return self;
}

- (void)click:(NSStatusBarButton*)sender {
    // The action may remove the status item, which releases the button's
    // binding and this target: keep both alive until it has returned.
    CorvelButtonTarget* keepAlive = self;
    auto action = _action;
    action(corvel::mac::stdString(sender.identifier));
    (void)keepAlive;
}

@end

namespace corvel::mac {

MacStatusBarButton::MacStatusBarButton(NSStatusBarButton* button,
                                       std::shared_ptr<FirstUseLog> notes)
    : button_(button), target_(nil), notes_(std::move(notes)) {
    if (!button_)
        notes_->log().write("Corvel: NSStatusItem.button is nil; the item shows nothing");
}

std::string MacStatusBarButton::title() const {
    requireMainThread("NSStatusBarButton title");
    return stdString(button_.title);
}

void MacStatusBarButton::setTitle(std::string title) {
    requireMainThread("NSStatusBarButton setTitle:");
    button_.title = nsString(title);
}

std::string MacStatusBarButton::accessibilityTitle() const {
    requireMainThread("NSStatusBarButton accessibilityTitle");
    return stdString(button_.accessibilityTitle);
}

void MacStatusBarButton::setAccessibilityTitle(std::string title) {
    requireMainThread("NSStatusBarButton setAccessibilityTitle:");
    [button_ setAccessibilityTitle:nsString(title)];
}

std::optional<platform::Image> MacStatusBarButton::image() const {
    requireMainThread("NSStatusBarButton image");
    return image_;
}

void MacStatusBarButton::setImage(std::optional<platform::Image> image) {
    requireMainThread("NSStatusBarButton setImage:");
    NSImage* shown = image ? MacImages::nsImage(*image, *notes_) : nil;
    button_.image = shown;
    image_ = std::move(image);
}

platform::ImagePosition MacStatusBarButton::imagePosition() const {
    requireMainThread("NSStatusBarButton imagePosition");
    return static_cast<platform::ImagePosition>(button_.imagePosition);
}

void MacStatusBarButton::setImagePosition(platform::ImagePosition position) {
    requireMainThread("NSStatusBarButton setImagePosition:");
    button_.imagePosition = static_cast<NSCellImagePosition>(position);
}

std::string MacStatusBarButton::identifier() const {
    requireMainThread("NSStatusBarButton identifier");
    return stdString(button_.identifier);
}

void MacStatusBarButton::setIdentifier(std::string identifier) {
    requireMainThread("NSStatusBarButton setIdentifier:");
    button_.identifier = nsString(identifier);
}

void MacStatusBarButton::setAction(Action action) {
    requireMainThread("NSStatusBarButton setAction:");
    target_ = action ? [[CorvelButtonTarget alloc] initWithAction:std::move(action)] : nil;
    button_.target = target_;
    button_.action = target_ ? @selector(click:) : nullptr;
}

} // namespace corvel::mac
