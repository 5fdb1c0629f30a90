#pragma once

#include "platform/Accessibility.h"
#include "platform_mac/AccessibilityElementTable.h"
#include "platform_mac/CoreFoundationReference.h"
#include "platform_mac/FirstUseLog.h"

#include <ApplicationServices/ApplicationServices.h>
#include <memory>
#include <mutex>

namespace corvel::mac {

/// The accessibility interface (HIServices). The elements it hands out stand
/// for retained references in its element table; an application's element
/// (id 0) is made at its first use and kept, like the others, so that what
/// is set on it (a messaging timeout) lasts. Thread-safe: the poll reads
/// other applications' trees from its own thread, and each call blocks
/// while the application answers.
class MacAccessibility final : public platform::Accessibility {
  public:
    /// Enough for every menu bar extra of every application several times
    /// over; older elements are dropped first.
    static constexpr std::size_t elementCapacity = 4096;
    static constexpr std::size_t applicationCapacity = 256;

    explicit MacAccessibility(std::shared_ptr<FirstUseLog> notes);

    bool isProcessTrusted() const override;
    bool isProcessTrustedWithOptions(const platform::PlatformValue::Dictionary& options) override;
    platform::AccessibilityElement createApplication(std::int32_t pid) const override;
    platform::AccessibilityValueResult
    copyAttributeValue(const platform::AccessibilityElement& element,
                       std::string_view attribute) const override;
    platform::AccessibilityError performAction(const platform::AccessibilityElement& element,
                                               std::string_view action) override;
    platform::AccessibilityElement createSystemWide() const override;
    platform::AccessibilityError setMessagingTimeout(const platform::AccessibilityElement& element,
                                                     float timeoutInSeconds) override;

  private:
    /// A reference of the caller's own; empty for an element the table no
    /// longer holds.
    CFRef<AXUIElementRef> resolve(const platform::AccessibilityElement& element) const;
    CFRef<AXUIElementRef> application(std::int32_t pid) const;
    platform::AccessibilityError answer(const char* call, AXError code) const;

    std::shared_ptr<FirstUseLog> notes_;
    mutable AccessibilityElementTable<AXUIElementRef, CoreFoundationLifetime> elements_;
    mutable std::mutex applicationsMutex_;
    mutable RecentTable<std::int32_t, CFRef<AXUIElementRef>> applications_;
    CFRef<AXUIElementRef> systemWide_;
};

} // namespace corvel::mac
