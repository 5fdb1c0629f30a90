#include "platform_mac/MacAccessibility.h"

#include "platform_mac/AccessibilityCalls.h"
#include "platform_mac/AppleStrings.h"
#include "platform_mac/CoreFoundationReader.h"

#import <Foundation/Foundation.h>

namespace corvel::mac {

using platform::AccessibilityError;
using platform::AccessibilityValueResult;

MacAccessibility::MacAccessibility(std::shared_ptr<FirstUseLog> notes)
    : notes_(std::move(notes)), elements_(elementCapacity), applications_(applicationCapacity),
      systemWide_(CFRef<AXUIElementRef>::adopt(AXUIElementCreateSystemWide())) {}

bool MacAccessibility::isProcessTrusted() const {
    return AXIsProcessTrusted();
}

bool MacAccessibility::isProcessTrustedWithOptions(
    const platform::PlatformValue::Dictionary& options) {
    const auto read = AccessibilityCalls::trustCheckOptions(options);
    for (const auto& key : read.ignored)
        notes_->once("trust option " + key,
                     "Corvel: AXIsProcessTrustedWithOptions takes no option " + key +
                         "; it was left out");
    // The option is passed by the platform's constant, whose text is not
    // documented; say so if it is not the text the ports use.
    if (utf8(kAXTrustedCheckOptionPrompt) != trustedCheckOptionPrompt)
        notes_->once("kAXTrustedCheckOptionPrompt",
                     "Corvel: kAXTrustedCheckOptionPrompt reads \"" +
                         utf8(kAXTrustedCheckOptionPrompt).value_or("") + "\", not \"" +
                         std::string(trustedCheckOptionPrompt) + "\"");
    NSDictionary* platformOptions =
        read.prompt
            ? @{(__bridge NSString*)kAXTrustedCheckOptionPrompt : @(*read.prompt)}
            : @{};
    return AXIsProcessTrustedWithOptions((__bridge CFDictionaryRef)platformOptions);
}

platform::AccessibilityElement MacAccessibility::createApplication(std::int32_t pid) const {
    return {pid, 0};
}

platform::AccessibilityElement MacAccessibility::createSystemWide() const {
    // No process has pid 0 that Corvel could ask for its element, so the
    // pair stands for the system-wide element, as on the simulated desktop.
    return {0, 0};
}

CFRef<AXUIElementRef>
MacAccessibility::resolve(const platform::AccessibilityElement& element) const {
    if (element == createSystemWide())
        return systemWide_;
    if (element.id == 0)
        return application(element.pid);
    return elements_.find(element);
}

CFRef<AXUIElementRef> MacAccessibility::application(std::int32_t pid) const {
    std::lock_guard lock(applicationsMutex_);
    if (const auto* kept = applications_.find(pid))
        return *kept;
    auto made = CFRef<AXUIElementRef>::adopt(AXUIElementCreateApplication(pid));
    if (made)
        applications_.put(pid, made);
    return made;
}

AccessibilityError MacAccessibility::answer(const char* call, AXError code) const {
    if (!AccessibilityCalls::isNamed(code))
        notes_->once(std::string(call) + " " + std::to_string(code),
                     std::string("Corvel: ") + call + " answered the unexpected error " +
                         std::to_string(code) + "; Corvel takes it as a failure");
    return AccessibilityCalls::error(code);
}

AccessibilityValueResult
MacAccessibility::copyAttributeValue(const platform::AccessibilityElement& element,
                                     std::string_view attribute) const {
    const auto target = resolve(element);
    if (!target)
        return AccessibilityValueResult::failed(AccessibilityError::invalidUIElement);
    const auto name = cfString(attribute);
    CFRef<CFTypeRef> value;
    const AXError code = AXUIElementCopyAttributeValue(target.get(), name.get(), value.receive());
    if (code != kAXErrorSuccess)
        return AccessibilityValueResult::failed(answer("AXUIElementCopyAttributeValue", code));
    const CoreFoundationReader reader;
    CoreFoundationConverter converter(
        reader, [this, pid = element.pid](CoreFoundationValues::Ref child) {
            return elements_.intern(pid, static_cast<AXUIElementRef>(child));
        });
    auto converted = converter.convert(value.get());
    CoreFoundationReader::report(
        *notes_, "AXUIElementCopyAttributeValue(" + std::string(attribute) + ")", converter);
    if (!converted)
        return AccessibilityValueResult::failed(AccessibilityError::failure);
    return AccessibilityValueResult::success(std::move(*converted));
}

AccessibilityError MacAccessibility::performAction(const platform::AccessibilityElement& element,
                                                   std::string_view action) {
    const auto target = resolve(element);
    if (!target)
        return AccessibilityError::invalidUIElement;
    return answer("AXUIElementPerformAction",
                  AXUIElementPerformAction(target.get(), cfString(action).get()));
}

AccessibilityError MacAccessibility::setMessagingTimeout(const platform::AccessibilityElement& element,
                                                       float timeoutInSeconds) {
    const auto target = resolve(element);
    if (!target)
        return AccessibilityError::invalidUIElement;
    return answer("AXUIElementSetMessagingTimeout",
                  AXUIElementSetMessagingTimeout(target.get(), timeoutInSeconds));
}

} // namespace corvel::mac
