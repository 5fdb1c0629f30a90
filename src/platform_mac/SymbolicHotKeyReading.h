#pragma once

#include "platform/PlatformValue.h"
#include "platform/SymbolicHotKey.h"

#include <optional>
#include <string_view>
#include <vector>

namespace corvel::mac {

/// The system's own shortcuts, read from the list the platform copies out
/// (each entry a dictionary under the keys below, as the binding names the
/// platform's constants). An entry without a key code or modifiers is left
/// out; one that does not say whether it is enabled (as a boolean or a
/// number) counts as enabled, the safer guess for a caller that avoids the
/// system's combinations.
struct SymbolicHotKeyReading {
    static constexpr std::string_view codeKey = "kHISymbolicHotKeyCode";
    static constexpr std::string_view modifiersKey = "kHISymbolicHotKeyModifiers";
    static constexpr std::string_view enabledKey = "kHISymbolicHotKeyEnabled";

    /// Nothing when `list` is no list at all.
    static std::optional<std::vector<platform::SymbolicHotKey>>
    read(const platform::PlatformValue& list);
};

} // namespace corvel::mac
