#include "backend_mac26/MenuBarWindowListReader.h"

#include "platform/WindowInfoKey.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace corvel {

namespace {

using platform::PlatformValue;
using platform::WindowInfoKey;

template <class T> bool fits(std::int64_t value) {
    return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

// The length first, so that only a key of the right length is read; with
// the wanted key a constant, the comparison compiles to a few loads.
bool isKey(std::string_view key, std::string_view wanted) {
    return key.size() == wanted.size() &&
           std::memcmp(key.data(), wanted.data(), wanted.size()) == 0;
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
        std::optional<double>* field = isKey(key, WindowInfoKey::boundsX)        ? &x
                                       : isKey(key, WindowInfoKey::boundsY)      ? &y
                                       : isKey(key, WindowInfoKey::boundsWidth)  ? &width
                                       : isKey(key, WindowInfoKey::boundsHeight) ? &height
                                                                                 : nullptr;
        if (field && !readFinite(value, *field))
            return std::nullopt;
    }
    if (!x || !y || !width || !height)
        return std::nullopt;
    return platform::Rect{{*x, *y}, {*width, *height}};
}

} // namespace

bool MenuBarWindowListReader::read(const PlatformValue& entry, std::int64_t layer,
                                   MenuBarWindowInfo& window) {
    const auto* dictionary = entry.asDictionary();
    if (!dictionary)
        return false;
    // One walk over the entry instead of a lookup per key: the poll reads
    // every window four times a second.
    const PlatformValue* layerValue = nullptr;
    const PlatformValue* numberValue = nullptr;
    const PlatformValue* ownerValue = nullptr;
    const PlatformValue* nameValue = nullptr;
    const PlatformValue* boundsValue = nullptr;
    for (const auto& [key, value] : *dictionary) {
        if (isKey(key, WindowInfoKey::layer))
            layerValue = &value;
        else if (isKey(key, WindowInfoKey::number))
            numberValue = &value;
        else if (isKey(key, WindowInfoKey::ownerPID))
            ownerValue = &value;
        else if (isKey(key, WindowInfoKey::name))
            nameValue = &value;
        else if (isKey(key, WindowInfoKey::bounds))
            boundsValue = &value;
    }
    if (!layerValue || layerValue->asInteger() != layer)
        return false;
    // A window number outside 32 bits names no window the server could have.
    const auto number = numberValue ? numberValue->asInteger() : std::nullopt;
    if (!number || !fits<std::uint32_t>(*number))
        return false;

    window.windowID = static_cast<std::uint32_t>(*number);
    const auto owner = ownerValue ? ownerValue->asInteger() : std::nullopt;
    window.ownerPID = owner && fits<std::int32_t>(*owner) ? static_cast<std::int32_t>(*owner) : -1;
    // Assigned rather than rebuilt, so the name keeps the storage it had.
    const auto name = nameValue ? nameValue->asStringView() : std::nullopt;
    window.name.assign(name.value_or(std::string_view()));
    window.bounds = boundsValue ? boundsOf(*boundsValue) : std::nullopt;
    return true;
}

std::optional<MenuBarWindowInfo> MenuBarWindowListReader::window(const PlatformValue& entry,
                                                                 std::int64_t layer) {
    MenuBarWindowInfo info;
    if (!read(entry, layer, info))
        return std::nullopt;
    return info;
}

void MenuBarWindowListReader::read(const PlatformValue* list, std::int64_t layer,
                                   std::vector<MenuBarWindowInfo>& windows) {
    const PlatformValue::Array* entries = list ? list->asArray() : nullptr;
    if (!entries) {
        windows.clear();
        return;
    }
    windows.reserve(entries->size());
    // Records past the kept ones are scratch for the next entry and are cut
    // off at the end.
    std::size_t kept = 0;
    for (const PlatformValue& entry : *entries) {
        if (kept == windows.size())
            windows.emplace_back();
        if (read(entry, layer, windows[kept]))
            ++kept;
    }
    windows.resize(kept);
}

std::vector<MenuBarWindowInfo> MenuBarWindowListReader::windows(const PlatformValue* list,
                                                                std::int64_t layer) {
    std::vector<MenuBarWindowInfo> result;
    read(list, layer, result);
    return result;
}

} // namespace corvel
