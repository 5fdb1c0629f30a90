#pragma once

#include "platform_mac/CoreFoundationReference.h"

#include <optional>
#include <string>
#include <string_view>

@class NSString;

namespace corvel::mac {

/// Text between the ports (UTF-8 std::string) and the platform.

/// Ill-formed UTF-8 is mended first (see validUtf8), so the answer is never nil.
NSString* nsString(std::string_view text);
/// Owned, as CFStringCreateWithBytes returns it; the same mending.
CFRef<CFStringRef> cfString(std::string_view text);
/// Nothing for nil or for text without a UTF-8 form.
std::optional<std::string> utf8(NSString* text);
std::optional<std::string> utf8(CFStringRef text);
/// utf8(), or empty.
std::string stdString(NSString* text);

} // namespace corvel::mac
