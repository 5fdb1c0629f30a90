#include "backend/BackendError.h"

#include <utility>

namespace corvel {

namespace {

const char* caseName(BackendError::Kind kind) {
    switch (kind) {
    case BackendError::Kind::underlying:
        return "underlying";
    case BackendError::Kind::accessibilityPermissionDenied:
        return "accessibilityPermissionDenied";
    case BackendError::Kind::itemNoLongerExists:
        return "itemNoLongerExists";
    case BackendError::Kind::pressUnconfirmed:
        return "pressUnconfirmed";
    case BackendError::Kind::geometryUnsettled:
        return "geometryUnsettled";
    case BackendError::Kind::hiddenRegionAtCapacity:
        return "hiddenRegionAtCapacity";
    }
    return "underlying";
}

std::string textForm(BackendError::Kind kind, const std::string& message) {
    std::string text = caseName(kind);
    if (kind == BackendError::Kind::underlying)
        text += "(\"" + message + "\")";
    return text;
}

} // namespace

BackendError::BackendError(Kind kind, std::string message)
    : kind_(kind), message_(std::move(message)), text_(textForm(kind_, message_)) {}

BackendError BackendError::underlying(std::string message) {
    return BackendError(Kind::underlying, std::move(message));
}
BackendError BackendError::accessibilityPermissionDenied() {
    return BackendError(Kind::accessibilityPermissionDenied, {});
}
BackendError BackendError::itemNoLongerExists() {
    return BackendError(Kind::itemNoLongerExists, {});
}
BackendError BackendError::pressUnconfirmed() {
    return BackendError(Kind::pressUnconfirmed, {});
}
BackendError BackendError::geometryUnsettled() {
    return BackendError(Kind::geometryUnsettled, {});
}
BackendError BackendError::hiddenRegionAtCapacity() {
    return BackendError(Kind::hiddenRegionAtCapacity, {});
}

} // namespace corvel
