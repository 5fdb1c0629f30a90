#pragma once

#include "domain/Uuid.h"

#include <string>
#include <string_view>

namespace corvel {

/// The names Corvel gives its own status items. The platform remembers
/// positions by these names, and the window list tells Corvel's windows from
/// foreign ones by them.
class Mac26OwnNames {
  public:
    /// namespace + "-": every own window's name starts with it.
    static std::string ownPrefix(std::string_view nameSpace);
    /// namespace + "-HiddenRegionSpacer".
    static std::string spacerName(std::string_view nameSpace);
    /// namespace + "-Chrome-" + the handle's upper-case UUID.
    static std::string iconName(std::string_view nameSpace, const Uuid& handle);
    /// Case-sensitive, as the platform compares names.
    static bool hasOwnPrefix(std::string_view windowName, std::string_view ownPrefix) {
        return windowName.starts_with(ownPrefix);
    }
};

} // namespace corvel
