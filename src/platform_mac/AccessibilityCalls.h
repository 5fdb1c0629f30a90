#pragma once

#include "platform/AccessibilityError.h"
#include "platform/PlatformValue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel::mac {

/// The plain parts of the accessibility calls: reading the platform's error
/// codes into the port's, and the trust check's options into the one option
/// the platform takes.
struct AccessibilityCalls {
    /// The port's code for the platform's; a code the port does not name
    /// (an observer or notification error, which Corvel never causes) is a
    /// failure.
    static platform::AccessibilityError error(std::int32_t code);
    static bool isNamed(std::int32_t code);

    struct TrustCheckOptions {
        /// Whether the platform may prompt; nothing when the options say not.
        std::optional<bool> prompt;
        /// Options the platform's trust check does not take, left out.
        std::vector<std::string> ignored;
    };
    static TrustCheckOptions trustCheckOptions(const platform::PlatformValue::Dictionary& options);
};

} // namespace corvel::mac
