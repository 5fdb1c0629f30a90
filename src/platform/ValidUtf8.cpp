#include "platform/ValidUtf8.h"

namespace corvel::platform {

namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

/// The length of the sequence a lead byte starts and the range its second
/// byte must fall in (which rules out overlong forms, surrogates and code
/// points past U+10FFFF); length 0 for a byte that cannot lead.
struct Lead {
    std::size_t length;
    unsigned char low;
    unsigned char high;
};

Lead leadOf(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if (byte == 0xED)
        return {3, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

/// How many bytes from `at` form a valid prefix of the sequence `lead` starts.
std::size_t validPrefix(std::string_view text, std::size_t at, Lead lead) {
    std::size_t count = 1;
    for (; count < lead.length && at + count < text.size(); ++count) {
        const auto byte = static_cast<unsigned char>(text[at + count]);
        const unsigned char low = count == 1 ? lead.low : 0x80;
        const unsigned char high = count == 1 ? lead.high : 0xBF;
        if (byte < low || byte > high)
            break;
    }
    return count;
}

} // namespace

std::string validUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            result.push_back(static_cast<char>(byte));
            ++at;
            continue;
        }
        const Lead lead = leadOf(byte);
        const std::size_t valid = lead.length == 0 ? 1 : validPrefix(text, at, lead);
        if (valid == lead.length)
            result.append(text.substr(at, valid));
        else
            result.append(replacementCharacter);
        at += valid;
    }
    return result;
}

} // namespace corvel::platform
