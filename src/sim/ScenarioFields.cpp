#include "sim/ScenarioFields.h"

#include "sim/ScenarioLoader.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace corvel::sim {

namespace {

using nlohmann::json;

std::string article(const std::string& type) {
    return (type == "object" || type == "array" ? "an " : "a ") + type;
}

std::string numberText(double number) {
    std::ostringstream text;
    text << std::setprecision(15) << number;
    return text.str();
}

} // namespace

ScenarioFields::ScenarioFields(const json& object, std::string where,
                               std::initializer_list<const char*> known)
    : object_(object), where_(std::move(where)) {
    if (!object_.is_object())
        refuse(where_.empty() ? "scenario" : where_,
               "expected an object, found " + article(object_.type_name()));
    for (const auto& [key, value] : object_.items()) {
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || key == name;
        if (!isKnown)
            refuse(where_.empty() ? "scenario" : where_, "unknown key \"" + key + "\"");
    }
}

std::string ScenarioFields::path(const char* key) const {
    return where_.empty() ? key : where_ + "." + key;
}

void ScenarioFields::refuse(const std::string& path, const std::string& problem) {
    throw ScenarioError(path + ": " + problem);
}

void ScenarioFields::outOfRange(const std::string& path, const json& value,
                                const std::string& range) {
    refuse(path, value.dump() + " is out of range; expected " + range);
}

const json& ScenarioFields::typed(const char* key, bool (json::*accepts)() const noexcept,
                                  const char* expected) const {
    const json& value = object_.at(key);
    if (!(value.*accepts)())
        refuse(path(key),
               std::string("expected ") + expected + ", found " + article(value.type_name()));
    return value;
}

void ScenarioFields::read(const char* key, bool& out) const {
    if (has(key))
        out = typed(key, &json::is_boolean, "true or false").get<bool>();
}

void ScenarioFields::read(const char* key, std::string& out) const {
    if (has(key))
        out = typed(key, &json::is_string, "a string").get<std::string>();
}

void ScenarioFields::read(const char* key, std::optional<std::string>& out) const {
    if (has(key))
        out = typed(key, &json::is_string, "a string").get<std::string>();
}

void ScenarioFields::read(const char* key, std::vector<std::string>& out) const {
    for (const auto& [element, where] : list(key)) {
        if (!element->is_string())
            refuse(where, "expected a string, found " + article(element->type_name()));
        out.push_back(element->get<std::string>());
    }
}

void ScenarioFields::read(const char* key, std::map<std::string, std::string>& out) const {
    if (!has(key))
        return;
    for (const auto& [name, value] : object(key).items()) {
        if (!value.is_string())
            refuse(path(key) + "." + name,
                   "expected a string, found " + article(value.type_name()));
        out[name] = value.get<std::string>();
    }
}

void ScenarioFields::read(const char* key, double& out, double min, double max) const {
    if (has(key))
        out = number(object_.at(key), path(key), min, max);
}

void ScenarioFields::read(const char* key, std::map<std::string, double>& out, double min,
                          double max) const {
    if (!has(key))
        return;
    for (const auto& [name, value] : object(key).items())
        out[name] = number(value, path(key) + "." + name, min, max);
}

double ScenarioFields::number(const json& value, const std::string& path, double min, double max) {
    if (!value.is_number())
        refuse(path, "expected a number, found " + article(value.type_name()));
    const double number = value.get<double>();
    if (!std::isfinite(number) || number < min || number > max)
        outOfRange(path, value, numberText(min) + " to " + numberText(max));
    return number;
}

void ScenarioFields::read(const char* key, std::int64_t& out, std::int64_t min,
                          std::int64_t max) const {
    if (!has(key))
        return;
    const json& value = typed(key, &json::is_number, "a whole number");
    const std::string range = std::to_string(min) + " to " + std::to_string(max);
    if (!value.is_number_integer()) {
        // A fraction, or a whole number written with a point or exponent.
        const double number = value.get<double>();
        if (number != std::floor(number))
            refuse(path(key), value.dump() + " is not a whole number");
        if (!(number >= static_cast<double>(min) && number <= static_cast<double>(max)))
            outOfRange(path(key), value, range);
        out = static_cast<std::int64_t>(number);
        return;
    }
    bool fits = false;
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        fits = number <= static_cast<std::uint64_t>(max) &&
               (min <= 0 || number >= static_cast<std::uint64_t>(min));
    } else {
        const auto number = value.get<std::int64_t>();
        fits = number >= min && number <= max;
    }
    if (!fits)
        outOfRange(path(key), value, range);
    out = value.get<std::int64_t>();
}

void ScenarioFields::millis(const char* key, async::Duration& out) const {
    std::optional<async::Duration> read;
    millis(key, read);
    if (read)
        out = *read;
}

void ScenarioFields::millis(const char* key, std::optional<async::Duration>& out) const {
    if (!has(key))
        return;
    std::int64_t count = 0;
    read(key, count, 0, maxMillis);
    out = std::chrono::milliseconds(count);
}

const json& ScenarioFields::object(const char* key) const {
    return typed(key, &json::is_object, "an object");
}

std::vector<std::pair<const json*, std::string>> ScenarioFields::list(const char* key) const {
    std::vector<std::pair<const json*, std::string>> elements;
    if (!has(key))
        return elements;
    const json& array = typed(key, &json::is_array, "an array");
    for (std::size_t i = 0; i < array.size(); ++i)
        elements.emplace_back(&array[i], path(key) + "[" + std::to_string(i) + "]");
    return elements;
}

} // namespace corvel::sim
