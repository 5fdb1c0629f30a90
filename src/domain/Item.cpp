#include "domain/Item.h"

#include "domain/JsonFields.h"

namespace fields = corvel::jsonfields;

corvel::Item nlohmann::adl_serializer<corvel::Item>::from_json(const nlohmann::json& value) {
    fields::requireObject(value, "item");
    std::optional<corvel::GroupID> groupID;
    if (const auto* stored = fields::optional(value, "groupID"))
        groupID = corvel::GroupID(fields::identifier(*stored, "groupID"));
    std::optional<std::string> displayName;
    if (const auto* stored = fields::optional(value, "displayName"))
        displayName = fields::string(*stored, "displayName");
    return corvel::Item{
        .id = corvel::ItemID(fields::identifier(fields::required(value, "id"), "id")),
        .identity = fields::required(value, "identity").get<corvel::ItemIdentity>(),
        .ordinal = fields::int64(fields::required(value, "ordinal"), "ordinal"),
        .groupID = groupID,
        .displayName = displayName,
    };
}

void nlohmann::adl_serializer<corvel::Item>::to_json(nlohmann::json& out,
                                                     const corvel::Item& item) {
    out = nlohmann::json{
        {"id", fields::identifier(item.id.rawValue())},
        {"identity", item.identity},
        {"ordinal", item.ordinal},
    };
    if (item.groupID)
        out["groupID"] = fields::identifier(item.groupID->rawValue());
    if (item.displayName)
        out["displayName"] = *item.displayName;
}
