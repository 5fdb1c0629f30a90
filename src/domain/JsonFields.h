#pragma once

#include "domain/Uuid.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

// Strict readers shared by the records' JSON forms. Each throws DecodeError
// naming the key when the value is missing or of the wrong type.
namespace corvel::jsonfields {

/// `value` itself must be an object; `what` names it in the error.
void requireObject(const nlohmann::json& value, std::string_view what);

/// The value under `key`, which must be present (null counts as present).
const nlohmann::json& required(const nlohmann::json& object, std::string_view key);

/// The value under `key`, or nothing when the key is missing or null.
const nlohmann::json* optional(const nlohmann::json& object, std::string_view key);

std::string string(const nlohmann::json& value, std::string_view key);

/// A JSON number with a whole value that fits the type. Whole-valued
/// fractions such as 3.0 are accepted, as every JSON reader may write them.
std::int64_t int64(const nlohmann::json& value, std::string_view key);
std::uint64_t uint64(const nlohmann::json& value, std::string_view key);
std::uint16_t uint16(const nlohmann::json& value, std::string_view key);

/// The same number rule without the error: nothing when `value` is not a
/// whole number within range.
std::optional<std::int64_t> wholeInt64(const nlohmann::json& value);

/// Identifiers travel as {"rawValue": "<UUID text>"}; a bare string is refused.
Uuid identifier(const nlohmann::json& value, std::string_view key);
nlohmann::json identifier(const Uuid& uuid);

} // namespace corvel::jsonfields
