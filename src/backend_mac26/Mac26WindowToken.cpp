#include "backend_mac26/Mac26WindowToken.h"

#include "domain/Uuid.h"

namespace corvel {

namespace {

// The prefix parsed once; the window number fills the last four bytes.
constexpr Uuid::Bytes prefixBytes() {
    std::string text(Mac26WindowToken::prefix);
    text += "00000000";
    const auto parsed = Uuid::parse(text);
    return parsed ? parsed->bytes() : Uuid::Bytes{};
}

} // namespace

BackendItemToken Mac26WindowToken::token(std::uint32_t windowID) {
    // The same value as parsing prefix + eight upper-case hex digits, built
    // without text because the poll makes one token per window per pass.
    static constexpr Uuid::Bytes prefix = prefixBytes();
    static_assert(prefix[0] == 0x43 && prefix[11] == 0x00, "the token prefix must parse");
    Uuid::Bytes bytes = prefix;
    bytes[12] = static_cast<std::uint8_t>(windowID >> 24);
    bytes[13] = static_cast<std::uint8_t>(windowID >> 16);
    bytes[14] = static_cast<std::uint8_t>(windowID >> 8);
    bytes[15] = static_cast<std::uint8_t>(windowID);
    return BackendItemToken(Uuid(bytes));
}

} // namespace corvel
