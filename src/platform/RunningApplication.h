#pragma once

#include "platform/ActivationPolicy.h"
#include "platform/Image.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvel::platform {

/// A snapshot of one running application as the workspace lists it.
struct RunningApplication {
    std::int32_t processIdentifier = 0;
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> localizedName;
    ActivationPolicy activationPolicy = ActivationPolicy::regular;
    std::optional<Image> icon;

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

} // namespace corvel::platform
