#pragma once

#include "platform/EventField.h"
#include "platform/EventSource.h"
#include "platform/EventType.h"
#include "platform/Point.h"

#include <cstdint>
#include <map>
#include <optional>

namespace corvel::platform {

/// A synthetic mouse or keyboard event, built by SyntheticEvents and then
/// adjusted by its poster (flags, integer fields) before it is posted.
struct SyntheticEvent {
    /// Given by the creator; posting the same event twice delivers it once.
    std::uint64_t serial = 0;
    EventType type = EventType::null;
    /// Global screen points, origin top left. Keyboard events carry none.
    Point location;
    std::uint64_t flags = 0;
    /// The source it was made from, if any.
    std::optional<EventSource> source;
    std::map<int, std::int64_t> fields;

    void setFlags(std::uint64_t value) { flags = value; }
    void setIntegerValueField(int field, std::int64_t value) { fields[field] = value; }
    /// 0 for a field never set, as the platform answers.
    std::int64_t integerValueField(int field) const {
        auto found = fields.find(field);
        return found == fields.end() ? 0 : found->second;
    }

    friend bool operator==(const SyntheticEvent&, const SyntheticEvent&) = default;
};

} // namespace corvel::platform
