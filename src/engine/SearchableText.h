#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

/// A name as the item search compares it. People type names as they say
/// them, not as they are spelt: "cafe" must find "Café", "strasse" finds
/// "Straße", "ae" finds "Æble" and hiragana finds katakana. ICU's root
/// collation at primary strength decides all of that, for every script, so
/// a name is kept as its primary collation weights. Spaces and punctuation
/// weigh nothing there, so "harborvpn" and "harbor-vpn" find "Harbor VPN".
struct SearchableText {
    /// The primary weights in text order, ignorable characters left out.
    std::vector<std::uint16_t> primaries;
    /// Positions in `primaries` where a word of the text begins: at the
    /// start, after a space or punctuation, and where a lower-case letter is
    /// followed by a capital ("PebbleSync"). In increasing order.
    std::vector<std::uint32_t> wordStarts;
    /// The root collation's sort key: names compare alphabetically, case
    /// and accents only breaking ties, as plain bytes.
    std::string sortKey;

    /// `text` is UTF-8; ill-formed sequences weigh as U+FFFD does.
    static SearchableText of(std::string_view text);

    friend bool operator==(const SearchableText&, const SearchableText&) = default;
};

} // namespace corvel
