#pragma once

#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>

namespace corvel {

/// Which menu bar item of which application an Item stands for; how an Item is
/// found again after a restart, when every live handle has changed. Compared
/// exactly: no case folding, no trimming.
struct ItemIdentity {
    /// The owning application's bundle identifier (for the system's own menu
    /// extras, the hosting process, such as "com.apple.controlcenter").
    std::string bundleID;
    /// The item's name as the platform reports it for that application.
    std::string title;

    friend bool operator==(const ItemIdentity&, const ItemIdentity&) = default;
};

} // namespace corvel

template <> struct std::hash<corvel::ItemIdentity> {
    std::size_t operator()(const corvel::ItemIdentity& identity) const noexcept;
};

template <> struct nlohmann::adl_serializer<corvel::ItemIdentity> {
    static corvel::ItemIdentity from_json(const nlohmann::json& value);
    static void to_json(nlohmann::json& out, const corvel::ItemIdentity& identity);
};
