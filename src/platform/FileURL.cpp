#include "platform/FileURL.h"

namespace corvel::platform {

namespace {

constexpr std::string_view scheme = "file://";
constexpr std::string_view localhost = "localhost";

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const auto high = hexDigit(text[i + 1]);
        const auto low = hexDigit(text[i + 2]);
        if (!high || !low)
            return std::nullopt;
        result += static_cast<char>(*high * 16 + *low);
        i += 2;
    }
    return result;
}

} // namespace

std::optional<std::string> FileURL::path(std::string_view url) {
    if (url.substr(0, scheme.size()) != scheme)
        return std::nullopt;
    std::string_view rest = url.substr(scheme.size());
    if (rest.substr(0, localhost.size()) == localhost)
        rest.remove_prefix(localhost.size());
    if (rest.empty() || rest.front() != '/')
        return std::nullopt;
    // A query or fragment is not part of the path.
    rest = rest.substr(0, rest.find_first_of("?#"));
    return percentDecoded(rest);
}

} // namespace corvel::platform
