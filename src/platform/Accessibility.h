#pragma once

#include "platform/AccessibilityElement.h"
#include "platform/AccessibilityError.h"
#include "platform/AccessibilityValueResult.h"
#include "platform/PlatformValue.h"

#include <cstdint>
#include <string_view>

namespace corvel::platform {

/// The accessibility interface: trust checks, application elements, attribute
/// reads and actions. Thread-safe; the identity scan calls it from the poll.
class Accessibility {
  public:
    /// The option key of the trust check that lets the platform prompt.
    static constexpr std::string_view trustedCheckOptionPrompt = "AXTrustedCheckOptionPrompt";

    static constexpr std::string_view extrasMenuBarAttribute = "AXExtrasMenuBar";
    static constexpr std::string_view childrenAttribute = "AXChildren";
    /// A point value: the element's top-left corner in global screen points.
    static constexpr std::string_view positionAttribute = "AXPosition";
    static constexpr std::string_view identifierAttribute = "AXIdentifier";
    static constexpr std::string_view descriptionAttribute = "AXDescription";
    static constexpr std::string_view titleAttribute = "AXTitle";
    static constexpr std::string_view pressAction = "AXPress";

    virtual ~Accessibility() = default;

    virtual bool isProcessTrusted() const = 0;
    /// With { trustedCheckOptionPrompt: true } the platform may ask the person
    /// (and, in the simulator, may grant). Answers whether trusted now.
    virtual bool isProcessTrustedWithOptions(const PlatformValue::Dictionary& options) = 0;
    /// Always succeeds; whether the element answers shows on first use.
    virtual AccessibilityElement createApplication(std::int32_t pid) const = 0;
    virtual AccessibilityValueResult copyAttributeValue(const AccessibilityElement& element,
                                                        std::string_view attribute) const = 0;
    virtual AccessibilityError performAction(const AccessibilityElement& element,
                                             std::string_view action) = 0;

    /// `AXUIElementRef AXUIElementCreateSystemWide(void);` (Create rule): the
    /// element that stands for every application. Its only use here is as
    /// the target of setMessagingTimeout, where it sets the global timeout.
    virtual AccessibilityElement createSystemWide() const = 0;
    /// `AXError AXUIElementSetMessagingTimeout(AXUIElementRef element, float
    /// timeoutInSeconds);`: how long a read or action through `element`
    /// waits for its application to answer before it fails with
    /// cannotComplete. On the system-wide element it sets the global
    /// timeout, which applies to every element without one of its own
    /// (6 seconds unless set); 0 restores the default; a negative value is
    /// illegalArgument. Needs no permission.
    virtual AccessibilityError setMessagingTimeout(const AccessibilityElement& element,
                                                   float timeoutInSeconds) = 0;
};

} // namespace corvel::platform
