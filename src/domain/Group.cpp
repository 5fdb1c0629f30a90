#include "domain/Group.h"

#include "domain/JsonFields.h"

namespace fields = corvel::jsonfields;

corvel::Group nlohmann::adl_serializer<corvel::Group>::from_json(const nlohmann::json& value) {
    fields::requireObject(value, "group");
    std::optional<corvel::KeyboardShortcut> shortcut;
    if (const auto* stored = fields::optional(value, "shortcut"))
        shortcut = stored->get<corvel::KeyboardShortcut>();
    return corvel::Group{
        .id = corvel::GroupID(fields::identifier(fields::required(value, "id"), "id")),
        .name = fields::string(fields::required(value, "name"), "name"),
        .symbolName = fields::string(fields::required(value, "symbolName"), "symbolName"),
        .shortcut = shortcut,
        .order = fields::int64(fields::required(value, "order"), "order"),
    };
}

void nlohmann::adl_serializer<corvel::Group>::to_json(nlohmann::json& out,
                                                      const corvel::Group& group) {
    out = nlohmann::json{
        {"id", fields::identifier(group.id.rawValue())},
        {"name", group.name},
        {"symbolName", group.symbolName},
        {"order", group.order},
    };
    if (group.shortcut)
        out["shortcut"] = *group.shortcut;
}
