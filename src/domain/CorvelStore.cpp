#include "domain/CorvelStore.h"

#include "domain/DecodeError.h"
#include "domain/JsonFields.h"

#include <nlohmann/json.hpp>

namespace corvel {

namespace {

constexpr const char* bundleIdentifier = "app.corvel.Corvel";

std::filesystem::path home(const CorvelStore::EnvironmentLookup& environment) {
    auto value = environment("HOME");
    return value && !value->empty() ? std::filesystem::path(*value) : std::filesystem::path();
}

std::filesystem::path applicationSupport(const CorvelStore::EnvironmentLookup& environment) {
#ifdef __APPLE__
    return home(environment) / "Library" / "Application Support";
#else
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    if (auto data = environment("XDG_DATA_HOME"); data && !data->empty()) {
        std::filesystem::path path(*data);
        if (path.is_absolute())
            return path;
    }
    return home(environment) / ".local" / "share";
#endif
}

template <class Record>
std::vector<Record> decodeArray(const nlohmann::json& value, std::string_view key) {
    if (!value.is_array())
        throw DecodeError("\"" + std::string(key) + "\" is not an array");
    std::vector<Record> records;
    records.reserve(value.size());
    for (const auto& element : value)
        records.push_back(element.get<Record>());
    return records;
}

} // namespace

std::filesystem::path CorvelStore::defaultURL(const EnvironmentLookup& environment) {
    return applicationSupport(environment) / bundleIdentifier / "store.json";
}

} // namespace corvel

namespace fields = corvel::jsonfields;

corvel::CorvelStore
nlohmann::adl_serializer<corvel::CorvelStore>::from_json(const nlohmann::json& value) {
    fields::requireObject(value, "document");
    return corvel::CorvelStore{
        .schemaVersion = fields::int64(fields::required(value, "schemaVersion"), "schemaVersion"),
        .groups = corvel::decodeArray<corvel::Group>(fields::required(value, "groups"), "groups"),
        .items = corvel::decodeArray<corvel::Item>(fields::required(value, "items"), "items"),
    };
}

void nlohmann::adl_serializer<corvel::CorvelStore>::to_json(nlohmann::json& out,
                                                            const corvel::CorvelStore& store) {
    out = nlohmann::json{
        {"schemaVersion", store.schemaVersion},
        {"groups", store.groups},
        {"items", store.items},
    };
}
