#include "engine/StoreNotice.h"

namespace corvel {

StoreNotice StoreNotice::newerSchema(std::filesystem::path file, std::int64_t schemaVersion) {
    return {Kind::newerSchema, std::move(file), schemaVersion, {}};
}

StoreNotice StoreNotice::writeFailed(std::filesystem::path file, std::string reason) {
    return {Kind::writeFailed, std::move(file), 0, std::move(reason)};
}

StoreNotice StoreNotice::writingAgain(std::filesystem::path file) {
    return {Kind::writingAgain, std::move(file), 0, {}};
}

} // namespace corvel
