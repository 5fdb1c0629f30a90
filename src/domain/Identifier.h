#pragma once

#include "domain/Uuid.h"

#include <nlohmann/json_fwd.hpp>
#include <type_traits>

namespace corvel {

/// The shape shared by the id types: one immutable UUID, equality and hash by
/// it. Each id type derives from Identifier<itself>, so ids of different
/// kinds never compare or convert to each other even when their UUIDs match.
template <class Self> class Identifier {
  public:
    constexpr explicit Identifier(const Uuid& rawValue) : rawValue_(rawValue) {}

    /// A fresh random id; every new record gets one.
    static Self random() { return Self(Uuid::random()); }

    constexpr const Uuid& rawValue() const { return rawValue_; }

    friend constexpr bool operator==(const Self& lhs, const Self& rhs) {
        return lhs.rawValue() == rhs.rawValue();
    }

  private:
    Uuid rawValue_;
};

template <class T> inline constexpr bool isIdentifier = std::is_base_of_v<Identifier<T>, T>;

namespace detail {
Uuid decodeIdentifier(const nlohmann::json& value);
void encodeIdentifier(nlohmann::json& out, const Uuid& uuid);
} // namespace detail

} // namespace corvel

// JSON form of every id type: {"rawValue": "<upper-case UUID>"}.
template <class T> struct nlohmann::adl_serializer<T, std::enable_if_t<corvel::isIdentifier<T>>> {
    static T from_json(const nlohmann::json& value) {
        return T(corvel::detail::decodeIdentifier(value));
    }
    static void to_json(nlohmann::json& out, const T& id) {
        corvel::detail::encodeIdentifier(out, id.rawValue());
    }
};

template <class T>
requires corvel::isIdentifier<T>
struct std::hash<T> {
    std::size_t operator()(const T& id) const noexcept {
        return std::hash<corvel::Uuid>{}(id.rawValue());
    }
};
