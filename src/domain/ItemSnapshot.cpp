#include "domain/ItemSnapshot.h"

#include "domain/Base64.h"
#include "domain/DecodeError.h"
#include "domain/JsonFields.h"

#include <cmath>

namespace fields = corvel::jsonfields;

namespace {

using Seconds = std::chrono::duration<double>;

// 2001-01-01T00:00:00Z in Unix time.
constexpr std::chrono::seconds referenceDateOffset{978307200};

corvel::ItemSnapshot decode(const nlohmann::json& value) {
    fields::requireObject(value, "snapshot");
    const auto& capturedAt = fields::required(value, "capturedAt");
    // The clock counts nanoseconds in 64 bits, about 292 years either way.
    if (!capturedAt.is_number() || !(std::abs(capturedAt.get<double>()) < 9.0e9))
        throw corvel::DecodeError("\"capturedAt\" is not a number of seconds in range");
    auto pngData =
        corvel::base64::decode(fields::string(fields::required(value, "pngData"), "pngData"));
    if (!pngData)
        throw corvel::DecodeError("\"pngData\" is not Base64");
    auto sinceReference = std::chrono::duration_cast<std::chrono::system_clock::duration>(
        Seconds(capturedAt.get<double>()));
    return corvel::ItemSnapshot{
        .capturedAt = std::chrono::system_clock::time_point(referenceDateOffset) + sinceReference,
        .pngData = std::move(*pngData),
    };
}

} // namespace

corvel::ItemSnapshot
nlohmann::adl_serializer<corvel::ItemSnapshot>::from_json(const nlohmann::json& value) {
    return decode(value);
}

void nlohmann::adl_serializer<corvel::ItemSnapshot>::to_json(nlohmann::json& out,
                                                             const corvel::ItemSnapshot& snapshot) {
    auto sinceReference =
        snapshot.capturedAt - std::chrono::system_clock::time_point(referenceDateOffset);
    out = nlohmann::json{
        {"capturedAt", std::chrono::duration_cast<Seconds>(sinceReference).count()},
        {"pngData", corvel::base64::encode(snapshot.pngData)},
    };
}
