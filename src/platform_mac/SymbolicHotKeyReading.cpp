#include "platform_mac/SymbolicHotKeyReading.h"

#include <limits>

namespace corvel::mac {

namespace {

std::optional<std::uint32_t> unsignedEntry(const platform::PlatformValue& entry,
                                           std::string_view key) {
    const auto* value = entry.find(key);
    const auto number = value ? value->asInteger() : std::nullopt;
    if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

// A boolean, or a number as some lists of the platform hold flags.
bool isEnabled(const platform::PlatformValue* flag) {
    if (!flag)
        return true;
    if (const auto boolean = flag->asBoolean())
        return *boolean;
    if (const auto number = flag->asInteger())
        return *number != 0;
    return true;
}

} // namespace

std::optional<std::vector<platform::SymbolicHotKey>>
SymbolicHotKeyReading::read(const platform::PlatformValue& list) {
    const auto* entries = list.asArray();
    if (!entries)
        return std::nullopt;
    std::vector<platform::SymbolicHotKey> hotKeys;
    for (const auto& entry : *entries) {
        const auto code = unsignedEntry(entry, codeKey);
        const auto modifiers = unsignedEntry(entry, modifiersKey);
        if (!code || !modifiers)
            continue;
        hotKeys.push_back({*code, *modifiers, isEnabled(entry.find(enabledKey))});
    }
    return hotKeys;
}

} // namespace corvel::mac
