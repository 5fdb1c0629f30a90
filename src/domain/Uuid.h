#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvel {

/// A 128-bit universally unique identifier. Text is read in either case and
/// always written in the canonical upper-case 8-4-4-4-12 form, so that ids
/// compare equal as text wherever they travel.
class Uuid {
  public:
    using Bytes = std::array<std::uint8_t, 16>;

    constexpr explicit Uuid(const Bytes& bytes) : bytes_(bytes) {}

    /// A fresh version-4 UUID from the system's random source.
    static Uuid random();

    /// The canonical 36-character form in either letter case; nothing else
    /// (no braces, no missing hyphens, no surrounding space).
    static constexpr std::optional<Uuid> parse(std::string_view text);

    /// For fixed ids written in the source; a malformed literal does not compile.
    static consteval Uuid literal(std::string_view text) {
        auto parsed = parse(text);
        if (!parsed)
            throw "malformed UUID literal";
        return *parsed;
    }

    constexpr const Bytes& bytes() const { return bytes_; }
    std::string text() const;

    friend constexpr bool operator==(const Uuid&, const Uuid&) = default;

  private:
    static constexpr int hexValue(char c);

    Bytes bytes_;
};

constexpr int Uuid::hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr std::optional<Uuid> Uuid::parse(std::string_view text) {
    if (text.size() != 36)
        return std::nullopt;
    Bytes bytes{};
    std::size_t byte = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-')
                return std::nullopt;
            ++i;
            continue;
        }
        int high = hexValue(text[i]);
        int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[byte++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return Uuid(bytes);
}

} // namespace corvel

template <> struct std::hash<corvel::Uuid> {
    std::size_t operator()(const corvel::Uuid& uuid) const noexcept;
};
