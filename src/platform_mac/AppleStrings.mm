#include "platform_mac/AppleStrings.h"

#include "platform/ValidUtf8.h"

#import <Foundation/Foundation.h>

namespace corvel::mac {

CFRef<CFStringRef> cfString(std::string_view text) {
    const std::string valid = platform::validUtf8(text);
    return CFRef<CFStringRef>::adopt(
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(valid.data()),
                                static_cast<CFIndex>(valid.size()), kCFStringEncodingUTF8, false));
}

NSString* nsString(std::string_view text) {
    const auto made = cfString(text);
    // Bridged into a strong reference of ARC's before `made` lets go of its own.
    NSString* string = (__bridge NSString*)made.get();
    return string ? string : @"";
}

std::optional<std::string> utf8(NSString* text) {
    const char* bytes = text.UTF8String;
    if (!bytes)
        return std::nullopt;
    return std::string(bytes);
}

std::optional<std::string> utf8(CFStringRef text) {
    return utf8((__bridge NSString*)text);
}

std::string stdString(NSString* text) {
    return utf8(text).value_or("");
}

} // namespace corvel::mac
