#include "platform_mac/CoreFoundationReader.h"

#include "platform_mac/AppleStrings.h"

#include <ApplicationServices/ApplicationServices.h>

namespace corvel::mac {

CoreFoundationReader::CoreFoundationReader(NamedKeys namedKeys)
    : namedKeys_(std::move(namedKeys)) {}

CoreFoundationValues::Type CoreFoundationReader::type(Ref value) const {
    const CFTypeID id = CFGetTypeID(value);
    if (id == CFArrayGetTypeID())
        return Type::array;
    if (id == CFDictionaryGetTypeID())
        return Type::dictionary;
    if (id == CFStringGetTypeID())
        return Type::string;
    if (id == CFNumberGetTypeID())
        return Type::number;
    if (id == CFBooleanGetTypeID())
        return Type::boolean;
    if (id == AXUIElementGetTypeID())
        return Type::element;
    if (id == AXValueGetTypeID())
        return Type::axValue;
    return Type::other;
}

std::vector<CoreFoundationValues::Ref> CoreFoundationReader::arrayValues(Ref array) const {
    const auto list = static_cast<CFArrayRef>(array);
    const CFIndex count = CFArrayGetCount(list);
    std::vector<Ref> values;
    values.reserve(static_cast<std::size_t>(count));
    for (CFIndex index = 0; index < count; ++index)
        values.push_back(CFArrayGetValueAtIndex(list, index));
    return values;
}

std::vector<std::pair<CoreFoundationValues::Ref, CoreFoundationValues::Ref>>
CoreFoundationReader::dictionaryEntries(Ref dictionary) const {
    const auto map = static_cast<CFDictionaryRef>(dictionary);
    const auto count = static_cast<std::size_t>(CFDictionaryGetCount(map));
    std::vector<const void*> keys(count), values(count);
    CFDictionaryGetKeysAndValues(map, keys.data(), values.data());
    std::vector<std::pair<Ref, Ref>> entries;
    entries.reserve(count);
    for (std::size_t index = 0; index < count; ++index)
        entries.emplace_back(keys[index], values[index]);
    return entries;
}

std::optional<std::string> CoreFoundationReader::string(Ref string) const {
    return utf8(static_cast<CFStringRef>(string));
}

bool CoreFoundationReader::isFloat(Ref number) const {
    return CFNumberIsFloatType(static_cast<CFNumberRef>(number));
}

std::optional<std::int64_t> CoreFoundationReader::integer(Ref number) const {
    std::int64_t value = 0;
    // False when the number only fits approximately.
    if (!CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberSInt64Type, &value))
        return std::nullopt;
    return value;
}

std::optional<double> CoreFoundationReader::real(Ref number) const {
    double value = 0;
    if (!CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberDoubleType, &value))
        return std::nullopt;
    return value;
}

bool CoreFoundationReader::boolean(Ref boolean) const {
    return CFBooleanGetValue(static_cast<CFBooleanRef>(boolean));
}

std::optional<platform::Point> CoreFoundationReader::point(Ref axValue) const {
    CGPoint point = CGPointZero;
    // False for a value that holds anything but a point.
    if (!AXValueGetValue(static_cast<AXValueRef>(axValue), kAXValueTypeCGPoint, &point))
        return std::nullopt;
    return platform::Point{point.x, point.y};
}

std::optional<platform::Rect> CoreFoundationReader::rect(Ref dictionary) const {
    CGRect rect = CGRectZero;
    if (!CGRectMakeWithDictionaryRepresentation(static_cast<CFDictionaryRef>(dictionary), &rect))
        return std::nullopt;
    return platform::Rect{{rect.origin.x, rect.origin.y}, {rect.size.width, rect.size.height}};
}

std::optional<std::string> CoreFoundationReader::keyName(Ref key) const {
    if (CFGetTypeID(key) != CFStringGetTypeID())
        return std::nullopt;
    for (const auto& [constant, name] : namedKeys_)
        if (key == constant || CFEqual(key, constant))
            return std::string(name);
    return utf8(static_cast<CFStringRef>(key));
}

void CoreFoundationReader::report(FirstUseLog& notes, std::string_view call,
                                  const CoreFoundationConverter& converter) {
    for (const auto& part : converter.leftOut())
        notes.once(std::string(call) + ": " + part.what, "Corvel: " + std::string(call) + " gave " +
                                                             part.what + " at " + part.place +
                                                             "; Corvel reads it as missing");
}

} // namespace corvel::mac
