#include "backend_mac26/Mac26WindowToken.h"

#include "domain/Uuid.h"

#include <array>
#include <string>

namespace corvel {

BackendItemToken Mac26WindowToken::token(std::uint32_t windowID) {
    static constexpr std::array<char, 16> digits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                    '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string text(prefix);
    text.resize(prefix.size() + 8, '0');
    for (std::size_t i = 0; i < 8; ++i)
        text[text.size() - 1 - i] = digits[(windowID >> (4 * i)) & 0xF];
    // The text is always a valid UUID; the random fallback only guards
    // against a broken prefix.
    const auto parsed = Uuid::parse(text);
    return BackendItemToken(parsed ? *parsed : Uuid::random());
}

} // namespace corvel
