#include "backend_mac26/Mac26WindowToken.h"

#include "domain/Uuid.h"

namespace corvel {

namespace {

// The token of window 0: the prefix followed by eight zeros.
constexpr std::string_view zeroToken = "434F5256-454C-4954-454D-000000000000";
static_assert(zeroToken.starts_with(Mac26WindowToken::prefix) &&
              zeroToken.size() == Mac26WindowToken::prefix.size() + 8);

} // namespace

BackendItemToken Mac26WindowToken::token(std::uint32_t windowID) {
    // The same value as parsing prefix + eight upper-case hex digits, built
    // without text because the poll makes one token per window per pass.
    static constexpr Uuid zero = Uuid::literal(zeroToken);
    Uuid::Bytes bytes = zero.bytes();
    bytes[12] = static_cast<std::uint8_t>(windowID >> 24);
    bytes[13] = static_cast<std::uint8_t>(windowID >> 16);
    bytes[14] = static_cast<std::uint8_t>(windowID >> 8);
    bytes[15] = static_cast<std::uint8_t>(windowID);
    return BackendItemToken(Uuid(bytes));
}

} // namespace corvel
