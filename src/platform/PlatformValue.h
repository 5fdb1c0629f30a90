#pragma once

#include "platform/AccessibilityElement.h"
#include "platform/Point.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace corvel::platform {

/// A loosely typed value as the platform hands it out (a number, a string, a
/// point, an element, an array, a dictionary), so that readers can meet
/// missing keys and values of the wrong type and must check each one.
/// Immutable once built; copies share their arrays and dictionaries. Strings
/// are made valid UTF-8 as they are built (see validUtf8).
class PlatformValue {
  public:
    enum class Kind { integer, real, boolean, string, point, element, array, dictionary };
    using Array = std::vector<PlatformValue>;
    /// How a dictionary is built: keys are unique and kept in order.
    using Dictionary = std::map<std::string, PlatformValue, std::less<>>;
    /// How a dictionary is held once built: the same entries in key order,
    /// side by side in memory, so that a reader walks one block rather than
    /// a tree of separately allocated nodes.
    using Entries = std::vector<std::pair<std::string, PlatformValue>>;

    static PlatformValue integer(std::int64_t value);
    static PlatformValue real(double value);
    static PlatformValue boolean(bool value);
    static PlatformValue string(std::string value);
    static PlatformValue point(Point value);
    static PlatformValue element(AccessibilityElement value);
    static PlatformValue array(Array values);
    static PlatformValue dictionary(Dictionary entries);

    Kind kind() const { return kind_; }

    /// Each accessor answers only for its own kind; asNumber() answers for
    /// integers and reals alike, as a number object of the platform would.
    /// The common ones are inline: readers call them for every key of every
    /// window several times a second.
    std::optional<std::int64_t> asInteger() const {
        if (kind_ != Kind::integer)
            return std::nullopt;
        return *std::get_if<std::int64_t>(&data_);
    }
    std::optional<double> asNumber() const {
        if (kind_ == Kind::integer)
            return static_cast<double>(*std::get_if<std::int64_t>(&data_));
        if (kind_ == Kind::real)
            return *std::get_if<double>(&data_);
        return std::nullopt;
    }
    std::optional<bool> asBoolean() const;
    std::optional<std::string> asString() const;
    /// The string without a copy; valid as long as this value.
    std::optional<std::string_view> asStringView() const {
        if (kind_ != Kind::string)
            return std::nullopt;
        return std::string_view(*std::get_if<std::string>(&data_));
    }
    std::optional<Point> asPoint() const;
    std::optional<AccessibilityElement> asElement() const;
    const Array* asArray() const {
        if (kind_ != Kind::array)
            return nullptr;
        return std::get_if<std::shared_ptr<const Array>>(&data_)->get();
    }
    /// The entries in key order.
    const Entries* asDictionary() const {
        if (kind_ != Kind::dictionary)
            return nullptr;
        return std::get_if<std::shared_ptr<const Entries>>(&data_)->get();
    }

    /// The entry for `key` when this is a dictionary that has it.
    const PlatformValue* find(std::string_view key) const;

    friend bool operator==(const PlatformValue& a, const PlatformValue& b);

  private:
    using Storage =
        std::variant<std::int64_t, double, bool, std::string, Point, AccessibilityElement,
                     std::shared_ptr<const Array>, std::shared_ptr<const Entries>>;
    PlatformValue(Kind kind, Storage data) : kind_(kind), data_(std::move(data)) {}

    Kind kind_;
    Storage data_;
};

} // namespace corvel::platform
