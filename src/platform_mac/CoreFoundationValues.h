#pragma once

#include "platform/Point.h"
#include "platform/Rect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvel::mac {

/// What reading a Core Foundation value into a PlatformValue asks of the
/// platform, and nothing more: its kind, its parts, and the few decodings
/// the platform does itself. On the Mac it is answered by Core Foundation,
/// HIServices and CoreGraphics; tests answer it from a tree of their own,
/// so every rule of the reading runs here. References are borrowed: the
/// caller owns the value being read for as long as the reading lasts.
class CoreFoundationValues {
  public:
    using Ref = const void*;
    enum class Type { array, dictionary, string, number, boolean, element, axValue, other };

    virtual ~CoreFoundationValues() = default;

    virtual Type type(Ref value) const = 0;
    virtual std::vector<Ref> arrayValues(Ref array) const = 0;
    virtual std::vector<std::pair<Ref, Ref>> dictionaryEntries(Ref dictionary) const = 0;
    /// The text as UTF-8; nothing when it cannot be had.
    virtual std::optional<std::string> string(Ref string) const = 0;
    /// Whether the number is stored as a floating-point type.
    virtual bool isFloat(Ref number) const = 0;
    /// Nothing when the number does not fit exactly.
    virtual std::optional<std::int64_t> integer(Ref number) const = 0;
    virtual std::optional<double> real(Ref number) const = 0;
    virtual bool boolean(Ref boolean) const = 0;
    /// The point an accessibility value holds; nothing for a value of
    /// another kind.
    virtual std::optional<platform::Point> point(Ref axValue) const = 0;
    /// The rectangle a dictionary encodes, decoded as the window server
    /// encoded it; nothing when it is no such dictionary.
    virtual std::optional<platform::Rect> rect(Ref dictionary) const = 0;
    /// The name the ports use for a dictionary key: the port's name when the
    /// key is one of the platform's own constants, else the key's text.
    virtual std::optional<std::string> keyName(Ref key) const = 0;
};

} // namespace corvel::mac
