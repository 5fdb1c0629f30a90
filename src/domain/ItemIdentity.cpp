#include "domain/ItemIdentity.h"

#include "domain/HashCombine.h"
#include "domain/JsonFields.h"

std::size_t
std::hash<corvel::ItemIdentity>::operator()(const corvel::ItemIdentity& identity) const noexcept {
    return corvel::hashCombine(std::hash<std::string>{}(identity.bundleID),
                               std::hash<std::string>{}(identity.title));
}

namespace fields = corvel::jsonfields;

corvel::ItemIdentity
nlohmann::adl_serializer<corvel::ItemIdentity>::from_json(const nlohmann::json& value) {
    fields::requireObject(value, "identity");
    return corvel::ItemIdentity{
        .bundleID = fields::string(fields::required(value, "bundleID"), "bundleID"),
        .title = fields::string(fields::required(value, "title"), "title"),
    };
}

void nlohmann::adl_serializer<corvel::ItemIdentity>::to_json(nlohmann::json& out,
                                                             const corvel::ItemIdentity& identity) {
    out = nlohmann::json{{"bundleID", identity.bundleID}, {"title", identity.title}};
}
