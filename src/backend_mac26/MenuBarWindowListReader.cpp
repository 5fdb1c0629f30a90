#include "backend_mac26/MenuBarWindowListReader.h"

#include "platform/WindowInfoKey.h"

#include <cmath>
#include <limits>

namespace corvel {

namespace {

using platform::PlatformValue;
using platform::WindowInfoKey;

template <class T> bool fits(std::int64_t value) {
    return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

// A NaN or infinite coordinate would poison every comparison downstream, so
// such bounds count as missing.
bool readFinite(const PlatformValue& value, std::optional<double>& out) {
    auto number = value.asNumber();
    if (!number || !std::isfinite(*number))
        return false;
    out = number;
    return true;
}

std::optional<platform::Rect> boundsOf(const PlatformValue& bounds) {
    const auto* dictionary = bounds.asDictionary();
    if (!dictionary)
        return std::nullopt;
    std::optional<double> x, y, width, height;
    for (const auto& [key, value] : *dictionary) {
        std::optional<double>* field = key == WindowInfoKey::boundsX        ? &x
                                       : key == WindowInfoKey::boundsY      ? &y
                                       : key == WindowInfoKey::boundsWidth  ? &width
                                       : key == WindowInfoKey::boundsHeight ? &height
                                                                            : nullptr;
        if (field && !readFinite(value, *field))
            return std::nullopt;
    }
    if (!x || !y || !width || !height)
        return std::nullopt;
    return platform::Rect{{*x, *y}, {*width, *height}};
}

} // namespace

std::optional<MenuBarWindowInfo> MenuBarWindowListReader::window(const PlatformValue& entry,
                                                                 std::int64_t layer) {
    const auto* dictionary = entry.asDictionary();
    if (!dictionary)
        return std::nullopt;
    // One walk over the entry instead of a lookup per key: the poll reads
    // every window four times a second.
    const PlatformValue* layerValue = nullptr;
    const PlatformValue* numberValue = nullptr;
    const PlatformValue* ownerValue = nullptr;
    const PlatformValue* nameValue = nullptr;
    const PlatformValue* boundsValue = nullptr;
    for (const auto& [key, value] : *dictionary) {
        if (key == WindowInfoKey::layer)
            layerValue = &value;
        else if (key == WindowInfoKey::number)
            numberValue = &value;
        else if (key == WindowInfoKey::ownerPID)
            ownerValue = &value;
        else if (key == WindowInfoKey::name)
            nameValue = &value;
        else if (key == WindowInfoKey::bounds)
            boundsValue = &value;
    }
    if (!layerValue || layerValue->asInteger() != layer)
        return std::nullopt;
    // A window number outside 32 bits names no window the server could have.
    const auto number = numberValue ? numberValue->asInteger() : std::nullopt;
    if (!number || !fits<std::uint32_t>(*number))
        return std::nullopt;

    MenuBarWindowInfo info;
    info.windowID = static_cast<std::uint32_t>(*number);
    const auto owner = ownerValue ? ownerValue->asInteger() : std::nullopt;
    info.ownerPID = owner && fits<std::int32_t>(*owner) ? static_cast<std::int32_t>(*owner) : -1;
    if (nameValue)
        info.name = nameValue->asString().value_or("");
    if (boundsValue)
        info.bounds = boundsOf(*boundsValue);
    return info;
}

std::vector<MenuBarWindowInfo> MenuBarWindowListReader::windows(const PlatformValue* list,
                                                                std::int64_t layer) {
    std::vector<MenuBarWindowInfo> result;
    const PlatformValue::Array* entries = list ? list->asArray() : nullptr;
    if (!entries)
        return result;
    result.reserve(entries->size());
    for (const PlatformValue& entry : *entries)
        if (auto info = window(entry, layer))
            result.push_back(std::move(*info));
    return result;
}

} // namespace corvel
