#include "platform/PlatformValue.h"

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
    return {Kind::string, std::move(value)};
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
    return {Kind::dictionary, std::make_shared<const Dictionary>(std::move(entries))};
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
    const Dictionary* entries = asDictionary();
    if (!entries)
        return nullptr;
    auto found = entries->find(key);
    return found == entries->end() ? nullptr : &found->second;
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
