#include "backend_mac26/Mac26OwnNames.h"

namespace corvel {

std::string Mac26OwnNames::ownPrefix(std::string_view nameSpace) {
    return std::string(nameSpace) + "-";
}

std::string Mac26OwnNames::spacerName(std::string_view nameSpace) {
    return std::string(nameSpace) + "-HiddenRegionSpacer";
}

std::string Mac26OwnNames::iconName(std::string_view nameSpace, const Uuid& handle) {
    return std::string(nameSpace) + "-Chrome-" + handle.text();
}

} // namespace corvel
