#pragma once

#include <chrono>
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <vector>

namespace corvel {

/// A captured picture of one menu bar item, shown in the Strip and the
/// settings. Never written into the store document.
struct ItemSnapshot {
    std::chrono::system_clock::time_point capturedAt;
    std::vector<std::uint8_t> pngData;
};

} // namespace corvel

/// "capturedAt" is seconds since 2001-01-01 00:00:00 UTC, the reference date
/// of the platform's own coders, and "pngData" is Base64 text, so the form
/// matches what the native build would exchange.
template <> struct nlohmann::adl_serializer<corvel::ItemSnapshot> {
    static corvel::ItemSnapshot from_json(const nlohmann::json& value);
    static void to_json(nlohmann::json& out, const corvel::ItemSnapshot& snapshot);
};
