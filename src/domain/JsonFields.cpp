#include "domain/JsonFields.h"

#include "domain/DecodeError.h"

#include <cmath>
#include <limits>

namespace corvel::jsonfields {

namespace {

[[noreturn]] void fail(std::string_view key, std::string_view problem) {
    throw DecodeError("\"" + std::string(key) + "\" " + std::string(problem));
}

std::optional<std::uint64_t> wholeUInt64(const nlohmann::json& value) {
    if (value.is_number_unsigned())
        return value.get<std::uint64_t>();
    if (value.is_number_integer()) {
        auto signedValue = value.get<std::int64_t>();
        if (signedValue < 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(signedValue);
    }
    if (value.is_number_float()) {
        double number = value.get<double>();
        // 2^64 is exactly representable; anything at or above it does not fit.
        if (!std::isfinite(number) || number != std::floor(number) || number < 0.0 ||
            number >= 18446744073709551616.0)
            return std::nullopt;
        return static_cast<std::uint64_t>(number);
    }
    return std::nullopt;
}

} // namespace

void requireObject(const nlohmann::json& value, std::string_view what) {
    if (!value.is_object())
        fail(what, "is not an object");
}

const nlohmann::json& required(const nlohmann::json& object, std::string_view key) {
    auto found = object.find(key);
    if (found == object.end())
        fail(key, "is missing");
    return *found;
}

const nlohmann::json* optional(const nlohmann::json& object, std::string_view key) {
    auto found = object.find(key);
    if (found == object.end() || found->is_null())
        return nullptr;
    return &*found;
}

std::string string(const nlohmann::json& value, std::string_view key) {
    if (!value.is_string())
        fail(key, "is not a string");
    return value.get<std::string>();
}

std::optional<std::int64_t> wholeInt64(const nlohmann::json& value) {
    if (value.is_number_integer() && !value.is_number_unsigned())
        return value.get<std::int64_t>();
    if (value.is_number_unsigned()) {
        auto unsignedValue = value.get<std::uint64_t>();
        if (unsignedValue > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return static_cast<std::int64_t>(unsignedValue);
    }
    if (value.is_number_float()) {
        double number = value.get<double>();
        // -2^63 is exactly representable and fits; 2^63 does not.
        if (!std::isfinite(number) || number != std::floor(number) ||
            number < -9223372036854775808.0 || number >= 9223372036854775808.0)
            return std::nullopt;
        return static_cast<std::int64_t>(number);
    }
    return std::nullopt;
}

std::int64_t int64(const nlohmann::json& value, std::string_view key) {
    auto number = wholeInt64(value);
    if (!number)
        fail(key, "is not a whole number in range");
    return *number;
}

std::uint64_t uint64(const nlohmann::json& value, std::string_view key) {
    auto number = wholeUInt64(value);
    if (!number)
        fail(key, "is not an unsigned whole number in range");
    return *number;
}

std::uint16_t uint16(const nlohmann::json& value, std::string_view key) {
    auto number = wholeUInt64(value);
    if (!number || *number > std::numeric_limits<std::uint16_t>::max())
        fail(key, "is not a 16-bit unsigned whole number");
    return static_cast<std::uint16_t>(*number);
}

Uuid identifier(const nlohmann::json& value, std::string_view key) {
    requireObject(value, key);
    auto text = string(required(value, "rawValue"), "rawValue");
    auto uuid = Uuid::parse(text);
    if (!uuid)
        fail(key, "does not hold a UUID");
    return *uuid;
}

nlohmann::json identifier(const Uuid& uuid) {
    return nlohmann::json{{"rawValue", uuid.text()}};
}

} // namespace corvel::jsonfields
