#include "domain/Uuid.h"

#include <cstring>
#include <uuid/uuid.h>

namespace corvel {

Uuid Uuid::random() {
    uuid_t raw;
    uuid_generate_random(raw);
    Bytes bytes;
    std::memcpy(bytes.data(), raw, bytes.size());
    return Uuid(bytes);
}

std::string Uuid::text() const {
    uuid_t raw;
    std::memcpy(raw, bytes_.data(), bytes_.size());
    char buffer[37];
    uuid_unparse_upper(raw, buffer);
    return std::string(buffer, 36);
}

} // namespace corvel

std::size_t std::hash<corvel::Uuid>::operator()(const corvel::Uuid& uuid) const noexcept {
    // The bytes are random already (or fixed and few), so folding the two
    // halves together spreads them well enough.
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::memcpy(&high, uuid.bytes().data(), 8);
    std::memcpy(&low, uuid.bytes().data() + 8, 8);
    return static_cast<std::size_t>(high ^ (low * 0x9E3779B97F4A7C15ull));
}
