#include "platform/PlatformValue.h"

#include "platform/ValidUtf8.h"

#include <algorithm>

namespace corvel::platform {

PlatformValue PlatformValue::integer(std::int64_t value) {
    return {Kind::integer, value};
}
PlatformValue PlatformValue::real(double value) {
    return {Kind::real, value};
}
PlatformValue PlatformValue::boolean(bool value) {
    return {Kind::boolean, value};
}
PlatformValue PlatformValue::string(std::string value) {
    return {Kind::string, validUtf8(value)};
}
PlatformValue PlatformValue::point(Point value) {
    return {Kind::point, value};
}
PlatformValue PlatformValue::element(AccessibilityElement value) {
    return {Kind::element, value};
}

PlatformValue PlatformValue::array(Array values) {
    return {Kind::array, std::make_shared<const Array>(std::move(values))};
}

PlatformValue PlatformValue::dictionary(Dictionary entries) {
    Entries flat;
    flat.reserve(entries.size());
    while (!entries.empty()) {
        auto node = entries.extract(entries.begin());
        flat.emplace_back(std::move(node.key()), std::move(node.mapped()));
    }
    return {Kind::dictionary, std::make_shared<const Entries>(std::move(flat))};
}

std::optional<bool> PlatformValue::asBoolean() const {
    if (kind_ != Kind::boolean)
        return std::nullopt;
    return std::get<bool>(data_);
}

std::optional<std::string> PlatformValue::asString() const {
    if (kind_ != Kind::string)
        return std::nullopt;
    return std::get<std::string>(data_);
}

std::optional<Point> PlatformValue::asPoint() const {
    if (kind_ != Kind::point)
        return std::nullopt;
    return std::get<Point>(data_);
}

std::optional<AccessibilityElement> PlatformValue::asElement() const {
    if (kind_ != Kind::element)
        return std::nullopt;
    return std::get<AccessibilityElement>(data_);
}

const PlatformValue* PlatformValue::find(std::string_view key) const {
    const Entries* entries = asDictionary();
    if (!entries)
        return nullptr;
    auto found = std::lower_bound(
        entries->begin(), entries->end(), key,
        [](const auto& entry, std::string_view wanted) { return entry.first < wanted; });
    return found != entries->end() && found->first == key ? &found->second : nullptr;
}

bool operator==(const PlatformValue& a, const PlatformValue& b) {
    if (a.kind_ != b.kind_)
        return false;
    if (const auto* array = a.asArray())
        return *array == *b.asArray();
    if (const auto* entries = a.asDictionary())
        return *entries == *b.asDictionary();
    return a.data_ == b.data_;
}

} // namespace corvel::platform
