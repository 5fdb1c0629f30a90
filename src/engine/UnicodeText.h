#pragma once

#include <string>
#include <string_view>

namespace corvel::UnicodeText {

// Text from the menu bar comes from every script the platform supports, so
// these follow the Unicode character database rather than ASCII rules.
// Input is UTF-8; ill-formed sequences never count as white space or digits.

/// Full, locale-independent lower-casing ("İ" becomes "i̇", "Σ" at the end of
/// a word becomes "ς").
std::string lowercased(std::string_view text);

/// Drops white space and line breaks (general categories Zs, Zl, Zp, the
/// controls U+0009 to U+000D and U+0085) from both ends.
std::string trimmingWhitespaceAndNewlines(std::string_view text);

/// True when `text` is not empty and every code point has a Unicode numeric
/// type (decimal digits of any script, Roman numerals, fractions, ...).
bool isAllNumeric(std::string_view text);

} // namespace corvel::UnicodeText
