#include "platform_mac/CoreFoundationConverter.h"

#include "platform/WindowInfoKey.h"

namespace corvel::mac {

using platform::PlatformValue;
using Type = CoreFoundationValues::Type;

CoreFoundationConverter::CoreFoundationConverter(const CoreFoundationValues& values,
                                                 ElementNamer elements)
    : values_(values), elements_(std::move(elements)) {}

std::string CoreFoundationConverter::Place::text() const {
    if (!parent)
        return std::string(key);
    if (key.empty())
        return parent->text() + "[" + std::to_string(index) + "]";
    return parent->text() + "." + std::string(key);
}

std::optional<PlatformValue> CoreFoundationConverter::convert(Ref value) {
    windowList_ = false;
    return this->value(value, Place{nullptr, "the value"});
}

std::optional<PlatformValue> CoreFoundationConverter::convertWindowList(Ref list) {
    windowList_ = true;
    return value(list, Place{nullptr, "the window list"});
}

void CoreFoundationConverter::leaveOut(const Place& place, std::string_view what) {
    leftOut_.push_back({place.text(), std::string(what)});
}

std::optional<PlatformValue> CoreFoundationConverter::value(Ref value, const Place& place) {
    if (!value) {
        leaveOut(place, "no value");
        return std::nullopt;
    }
    switch (values_.type(value)) {
    case Type::array:
        return array(value, place);
    case Type::dictionary:
        return dictionary(value, place);
    case Type::string:
        if (auto text = values_.string(value))
            return PlatformValue::string(std::move(*text));
        leaveOut(place, "a string without a UTF-8 form");
        return std::nullopt;
    case Type::number:
        return number(value, place);
    case Type::boolean:
        return PlatformValue::boolean(values_.boolean(value));
    case Type::element:
        return PlatformValue::element(elements_(value));
    case Type::axValue:
        if (auto point = values_.point(value))
            return PlatformValue::point(*point);
        leaveOut(place, "an accessibility value that is not a point");
        return std::nullopt;
    case Type::other:
        break;
    }
    leaveOut(place, "a value of a type Corvel does not read");
    return std::nullopt;
}

std::optional<PlatformValue> CoreFoundationConverter::number(Ref number, const Place& place) {
    if (values_.isFloat(number)) {
        if (auto real = values_.real(number))
            return PlatformValue::real(*real);
    } else if (auto integer = values_.integer(number)) {
        return PlatformValue::integer(*integer);
    }
    leaveOut(place, "a number that does not fit");
    return std::nullopt;
}

PlatformValue CoreFoundationConverter::array(Ref array, const Place& place) {
    PlatformValue::Array converted;
    const auto parts = values_.arrayValues(array);
    converted.reserve(parts.size());
    for (std::size_t index = 0; index < parts.size(); ++index)
        if (auto part = value(parts[index], Place{&place, {}, index}))
            converted.push_back(std::move(*part));
    return PlatformValue::array(std::move(converted));
}

PlatformValue CoreFoundationConverter::dictionary(Ref dictionary, const Place& place) {
    PlatformValue::Dictionary converted;
    for (const auto& [key, entry] : values_.dictionaryEntries(dictionary)) {
        auto name = key ? values_.keyName(key) : std::nullopt;
        if (!name) {
            leaveOut(place, "an entry whose key is not text");
            continue;
        }
        std::optional<PlatformValue> part;
        if (windowList_ && *name == platform::WindowInfoKey::bounds && entry)
            part = bounds(entry);
        if (!part)
            part = value(entry, Place{&place, *name});
        if (part)
            converted.insert_or_assign(std::move(*name), std::move(*part));
    }
    return PlatformValue::dictionary(std::move(converted));
}

// The bounds' own keys are the window server's business; the platform
// decodes them, and the ports read the rectangle under names of their own.
std::optional<PlatformValue> CoreFoundationConverter::bounds(Ref dictionary) {
    if (values_.type(dictionary) != Type::dictionary)
        return std::nullopt;
    const auto rect = values_.rect(dictionary);
    if (!rect)
        return std::nullopt;
    using Key = platform::WindowInfoKey;
    return PlatformValue::dictionary({
        {std::string(Key::boundsX), PlatformValue::real(rect->origin.x)},
        {std::string(Key::boundsY), PlatformValue::real(rect->origin.y)},
        {std::string(Key::boundsWidth), PlatformValue::real(rect->size.width)},
        {std::string(Key::boundsHeight), PlatformValue::real(rect->size.height)},
    });
}

} // namespace corvel::mac
