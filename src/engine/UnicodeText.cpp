#include "engine/UnicodeText.h"

#include <cstdint>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace corvel::UnicodeText {

namespace {

bool isWhitespaceOrNewline(UChar32 c) {
    if (c < 0)
        return false;
    if ((c >= 0x09 && c <= 0x0D) || c == 0x85)
        return true;
    const auto category = u_charType(c);
    return category == U_SPACE_SEPARATOR || category == U_LINE_SEPARATOR ||
           category == U_PARAGRAPH_SEPARATOR;
}

bool isNumeric(UChar32 c) {
    return c >= 0 && u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

} // namespace

std::string lowercased(std::string_view text) {
    auto unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot());
    std::string result;
    unicode.toUTF8String(result);
    return result;
}

std::string trimmingWhitespaceAndNewlines(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());

    int32_t begin = 0;
    while (begin < length) {
        int32_t next = begin;
        UChar32 c;
        U8_NEXT(bytes, next, length, c);
        if (!isWhitespaceOrNewline(c))
            break;
        begin = next;
    }
    int32_t end = length;
    while (end > begin) {
        int32_t previous = end;
        UChar32 c;
        U8_PREV(bytes, begin, previous, c);
        if (!isWhitespaceOrNewline(c))
            break;
        end = previous;
    }
    return std::string(
        text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
}

bool isAllNumeric(std::string_view text) {
    if (text.empty())
        return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t offset = 0; offset < length;) {
        UChar32 c;
        U8_NEXT(bytes, offset, length, c);
        if (!isNumeric(c))
            return false;
    }
    return true;
}

} // namespace corvel::UnicodeText
