#pragma once

#include "platform/AccessibilityElement.h"
#include "platform/PlatformValue.h"
#include "platform_mac/CoreFoundationValues.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::mac {

/// Reads a Core Foundation value into the ports' loosely typed PlatformValue:
/// arrays, dictionaries (keys named as the ports name them), strings,
/// numbers (integers unless stored as floating point), booleans, points of
/// accessibility values and accessibility elements (each named by the
/// caller, who keeps it). A part that has no PlatformValue form (a number
/// that does not fit, a value of another type) is left out of its array or
/// dictionary, as a reader meets a missing entry, and noted in
/// `leftOut()` so that the binding can say so in the log. One converter per
/// reading; not thread-safe.
class CoreFoundationConverter {
  public:
    using Ref = CoreFoundationValues::Ref;
    /// Keeps the element and answers the value that stands for it.
    using ElementNamer = std::function<platform::AccessibilityElement(Ref element)>;

    CoreFoundationConverter(const CoreFoundationValues& values, ElementNamer elements);

    /// The value, or nothing when the value itself has no form.
    std::optional<platform::PlatformValue> convert(Ref value);
    /// The window server's list: as convert(), with each window's bounds
    /// decoded by the platform into the ports' X, Y, Width and Height.
    std::optional<platform::PlatformValue> convertWindowList(Ref list);

    struct LeftOut {
        /// Where it stood, as "the window list[3].kCGWindowName".
        std::string place;
        /// What it was, as "a string without a UTF-8 form".
        std::string what;
        friend bool operator==(const LeftOut&, const LeftOut&) = default;
    };
    /// Every part left out, in the order met.
    const std::vector<LeftOut>& leftOut() const { return leftOut_; }

  private:
    // Where a part stands, spelt out only when something is left out: the
    // window list is read several times a second.
    struct Place {
        const Place* parent = nullptr;
        std::string_view key;
        std::size_t index = 0;
        std::string text() const;
    };

    std::optional<platform::PlatformValue> value(Ref value, const Place& place);
    std::optional<platform::PlatformValue> number(Ref number, const Place& place);
    platform::PlatformValue array(Ref array, const Place& place);
    platform::PlatformValue dictionary(Ref dictionary, const Place& place);
    std::optional<platform::PlatformValue> bounds(Ref dictionary);
    void leaveOut(const Place& place, std::string_view what);

    const CoreFoundationValues& values_;
    ElementNamer elements_;
    bool windowList_ = false;
    std::vector<LeftOut> leftOut_;
};

} // namespace corvel::mac
