#pragma once

// The window-list reader and the observer over an arbitrary loosely typed
// list. Inputs are JSON, turned into platform values the way the window
// server's dictionaries look: integers stay integers, other numbers are
// reals, objects are dictionaries, and the strings "NaN", "Infinity" and
// "-Infinity" stand for those reals. Shared by the fuzz target and the test
// that replays its seed corpus.

#include "backend_mac26/Mac26ItemObserver.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/MenuBarWindowListReader.h"
#include "platform/WindowInfoKey.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace corvel::fuzz {

inline platform::PlatformValue toPlatformValue(const nlohmann::json& value) {
    using platform::PlatformValue;
    switch (value.type()) {
    case nlohmann::json::value_t::number_integer:
        return PlatformValue::integer(value.get<std::int64_t>());
    case nlohmann::json::value_t::number_unsigned:
        return value.get<std::uint64_t>() <= std::uint64_t(std::numeric_limits<std::int64_t>::max())
                   ? PlatformValue::integer(std::int64_t(value.get<std::uint64_t>()))
                   : PlatformValue::real(double(value.get<std::uint64_t>()));
    case nlohmann::json::value_t::number_float:
        return PlatformValue::real(value.get<double>());
    case nlohmann::json::value_t::boolean:
        return PlatformValue::boolean(value.get<bool>());
    case nlohmann::json::value_t::string: {
        const auto& text = value.get_ref<const std::string&>();
        if (text == "NaN")
            return PlatformValue::real(std::numeric_limits<double>::quiet_NaN());
        if (text == "Infinity" || text == "-Infinity")
            return PlatformValue::real((text[0] == '-' ? -1 : 1) *
                                       std::numeric_limits<double>::infinity());
        return PlatformValue::string(text);
    }
    case nlohmann::json::value_t::array: {
        PlatformValue::Array array;
        for (const auto& element : value)
            array.push_back(toPlatformValue(element));
        return PlatformValue::array(std::move(array));
    }
    case nlohmann::json::value_t::object: {
        PlatformValue::Dictionary dictionary;
        for (const auto& [key, element] : value.items())
            dictionary.emplace(key, toPlatformValue(element));
        return PlatformValue::dictionary(std::move(dictionary));
    }
    default:
        return PlatformValue::boolean(false);
    }
}

inline std::optional<platform::PlatformValue> decode(std::string_view bytes) {
    auto json = nlohmann::json::parse(bytes, nullptr, false);
    if (json.is_discarded())
        return std::nullopt;
    return toPlatformValue(json);
}

/// Entries the reading rules keep: a dictionary with the integer layer 25
/// and an integer window number that fits 32 bits. Written apart from the
/// reader so that the two can disagree.
inline std::vector<std::uint32_t> keptNumbers(const platform::PlatformValue& list) {
    std::vector<std::uint32_t> numbers;
    const auto* entries = list.asArray();
    if (!entries)
        return numbers;
    for (const auto& entry : *entries) {
        const auto* layer = entry.find(platform::WindowInfoKey::layer);
        const auto* number = entry.find(platform::WindowInfoKey::number);
        if (!entry.asDictionary() || !layer ||
            layer->kind() != platform::PlatformValue::Kind::integer || *layer->asInteger() != 25 ||
            !number || number->kind() != platform::PlatformValue::Kind::integer)
            continue;
        const auto value = *number->asInteger();
        if (value >= 0 && value <= std::int64_t{0xFFFFFFFF})
            numbers.push_back(std::uint32_t(value));
    }
    return numbers;
}

/// Empty when the reader and the observer kept every rule on `list`; else
/// what went wrong. `observedCount` receives the number of observed items.
inline std::string check(const platform::PlatformValue& list,
                         std::size_t* observedCount = nullptr) {
    const auto windows = MenuBarWindowListReader::windows(&list, 25);
    const auto kept = keptNumbers(list);
    if (windows.size() != kept.size())
        return "the reader kept " + std::to_string(windows.size()) + " windows, the rules " +
               std::to_string(kept.size());
    std::unordered_set<std::uint32_t> readNumbers;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (windows[i].windowID != kept[i])
            return "window " + std::to_string(i) + " has the wrong number";
        const auto& bounds = windows[i].bounds;
        if (bounds && (!std::isfinite(bounds->origin.x) || !std::isfinite(bounds->origin.y) ||
                       !std::isfinite(bounds->size.width) || !std::isfinite(bounds->size.height)))
            return "window " + std::to_string(i) + " has bounds that are not finite";
        readNumbers.insert(windows[i].windowID);
    }

    ResolvedIdentities resolved;
    for (const auto& window : windows)
        if (window.windowID % 2 == 0)
            resolved.emplace(window.windowID, ResolvedIdentity{"com.example.even", "Even"});
    const auto items = Mac26ItemObserver::observedItems(
        windows, "Corvel", resolved, [](std::int32_t pid) { return "pid." + std::to_string(pid); });
    if (observedCount)
        *observedCount = items.size();
    if (items.size() > windows.size())
        return "more items than windows";
    std::unordered_set<BackendItemToken> allowed;
    for (const auto& window : windows)
        if (!window.name.starts_with("Corvel-"))
            allowed.insert(Mac26WindowToken::token(window.windowID));
    for (const auto& item : items) {
        if (!allowed.contains(item.id))
            return "an item from a window the rules drop or an own window";
        if (item.isInHiddenRegion && !item.frame)
            return "a frameless item in the hidden region";
        if (item.frame && (item.frame->width < 0 || item.frame->height < 0))
            return "a frame with a negative size";
    }
    return {};
}

} // namespace corvel::fuzz
