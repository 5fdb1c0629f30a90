#include "domain/Identifier.h"

#include "domain/JsonFields.h"

namespace corvel::detail {

Uuid decodeIdentifier(const nlohmann::json& value) {
    return jsonfields::identifier(value, "id");
}

void encodeIdentifier(nlohmann::json& out, const Uuid& uuid) {
    out = jsonfields::identifier(uuid);
}

} // namespace corvel::detail
