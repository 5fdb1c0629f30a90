#include "domain/KeyboardShortcut.h"

#include "domain/HashCombine.h"
#include "domain/JsonFields.h"

std::size_t std::hash<corvel::KeyboardShortcut>::operator()(
    const corvel::KeyboardShortcut& shortcut) const noexcept {
    return corvel::hashCombine(std::hash<std::uint16_t>{}(shortcut.keyCode),
                               std::hash<std::uint64_t>{}(shortcut.modifierFlags));
}

namespace fields = corvel::jsonfields;

corvel::KeyboardShortcut
nlohmann::adl_serializer<corvel::KeyboardShortcut>::from_json(const nlohmann::json& value) {
    fields::requireObject(value, "shortcut");
    return corvel::KeyboardShortcut{
        .keyCode = fields::uint16(fields::required(value, "keyCode"), "keyCode"),
        .modifierFlags = fields::uint64(fields::required(value, "modifierFlags"), "modifierFlags"),
    };
}

void nlohmann::adl_serializer<corvel::KeyboardShortcut>::to_json(
    nlohmann::json& out, const corvel::KeyboardShortcut& shortcut) {
    out = nlohmann::json{{"keyCode", shortcut.keyCode}, {"modifierFlags", shortcut.modifierFlags}};
}
