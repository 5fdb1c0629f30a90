#include "domain/StoreDocument.h"

#include "domain/DecodeError.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace corvel {

namespace {

enum class SchemaVerdict { current, legacy, unsupported };

/// Only a whole number names a schema; anything else under the key (or no
/// key) is how schema 0 documents looked.
SchemaVerdict schemaOf(const nlohmann::json& document) {
    auto found = document.find("schemaVersion");
    if (found == document.end() || !found->is_number())
        return SchemaVerdict::legacy;
    double version = found->get<double>();
    if (found->is_number_float() && version != std::floor(version))
        return SchemaVerdict::legacy;
    if (found->is_number_float() && !std::isfinite(version))
        return SchemaVerdict::legacy;
    if (version == 1.0)
        return SchemaVerdict::current;
    if (version == 0.0)
        return SchemaVerdict::legacy;
    return SchemaVerdict::unsupported;
}

void migrateFromSchemaZero(nlohmann::json& document) {
    document["schemaVersion"] = StoreDocument::currentSchemaVersion;
    // Present keys stay untouched, even a null: the strict decode judges them.
    if (!document.contains("groups"))
        document["groups"] = nlohmann::json::array();
    if (!document.contains("items"))
        document["items"] = nlohmann::json::array();
}

} // namespace

bool StoreDocument::nestsDeeperThanLimit(std::string_view bytes) {
    std::size_t depth = 0;
    bool inString = false;
    bool escaped = false;
    for (char c : bytes) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > maxDepth)
                return true;
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
    return false;
}

nlohmann::json StoreDocument::parse(std::string_view bytes) {
    if (bytes.size() > maxBytes || nestsDeeperThanLimit(bytes))
        return nlohmann::json::value_t::discarded;
    return nlohmann::json::parse(bytes, nullptr, /*allow_exceptions=*/false);
}

std::optional<std::int64_t> StoreDocument::declaredSchema(std::string_view bytes) {
    const auto document = parse(bytes);
    if (!document.is_object())
        return std::nullopt;
    auto found = document.find("schemaVersion");
    if (found == document.end() || !found->is_number())
        return std::nullopt;
    if (found->is_number_integer())
        return found->get<std::int64_t>();
    const double version = found->get<double>();
    // Outside this range a double holds no whole number we could name.
    if (version != std::floor(version) || std::abs(version) > 9.0e15)
        return std::nullopt;
    return static_cast<std::int64_t>(version);
}

std::optional<CorvelStore> StoreDocument::read(std::string_view bytes) {
    auto document = parse(bytes);
    if (document.is_discarded() || !document.is_object())
        return std::nullopt;
    switch (schemaOf(document)) {
    case SchemaVerdict::unsupported:
        return std::nullopt;
    case SchemaVerdict::legacy:
        migrateFromSchemaZero(document);
        break;
    case SchemaVerdict::current:
        break;
    }
    try {
        return document.get<CorvelStore>();
    } catch (const DecodeError&) {
        return std::nullopt;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

// Text that reached us as ill-formed UTF-8 is written with U+FFFD in its
// place rather than refused: refusing would fail this write and every later
// one, and the document would stop changing for good.
std::string StoreDocument::encode(const CorvelStore& store) {
    return nlohmann::json(store).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace corvel
