#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvel::platform {

/// File URLs as the workspace hands them out.
class FileURL {
  public:
    /// The decoded path of a "file://" URL with an empty or "localhost" host
    /// ("file:///Applications/A%20B.app" gives "/Applications/A B.app");
    /// nothing for any other URL or a malformed escape.
    static std::optional<std::string> path(std::string_view url);
};

} // namespace corvel::platform
