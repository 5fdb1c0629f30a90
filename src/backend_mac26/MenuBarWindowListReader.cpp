#include "backend_mac26/MenuBarWindowListReader.h"

#include "platform/WindowInfoKey.h"

#include <cmath>
#include <limits>

namespace corvel {

namespace {

using platform::PlatformValue;
using platform::WindowInfoKey;

std::optional<std::int64_t> integerAt(const PlatformValue& entry, std::string_view key) {
    const PlatformValue* value = entry.find(key);
    return value ? value->asInteger() : std::nullopt;
}

template <class T> bool fits(std::int64_t value) {
    return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

// A NaN or infinite coordinate would poison every comparison downstream, so
// such bounds count as missing.
std::optional<double> finiteNumberAt(const PlatformValue& bounds, std::string_view key) {
    const PlatformValue* value = bounds.find(key);
    if (!value)
        return std::nullopt;
    auto number = value->asNumber();
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return number;
}

std::optional<platform::Rect> boundsOf(const PlatformValue& entry) {
    const PlatformValue* bounds = entry.find(WindowInfoKey::bounds);
    if (!bounds || !bounds->asDictionary())
        return std::nullopt;
    auto x = finiteNumberAt(*bounds, WindowInfoKey::boundsX);
    auto y = finiteNumberAt(*bounds, WindowInfoKey::boundsY);
    auto width = finiteNumberAt(*bounds, WindowInfoKey::boundsWidth);
    auto height = finiteNumberAt(*bounds, WindowInfoKey::boundsHeight);
    if (!x || !y || !width || !height)
        return std::nullopt;
    return platform::Rect{{*x, *y}, {*width, *height}};
}

} // namespace

std::optional<MenuBarWindowInfo> MenuBarWindowListReader::window(const PlatformValue& entry,
                                                                 std::int64_t layer) {
    if (!entry.asDictionary())
        return std::nullopt;
    if (integerAt(entry, WindowInfoKey::layer) != layer)
        return std::nullopt;
    // A window number outside 32 bits names no window the server could have.
    auto number = integerAt(entry, WindowInfoKey::number);
    if (!number || !fits<std::uint32_t>(*number))
        return std::nullopt;

    MenuBarWindowInfo info;
    info.windowID = static_cast<std::uint32_t>(*number);
    auto owner = integerAt(entry, WindowInfoKey::ownerPID);
    info.ownerPID = owner && fits<std::int32_t>(*owner) ? static_cast<std::int32_t>(*owner) : -1;
    if (const PlatformValue* name = entry.find(WindowInfoKey::name))
        info.name = name->asString().value_or("");
    info.bounds = boundsOf(entry);
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
