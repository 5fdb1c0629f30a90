#pragma once

#include <filesystem>

namespace corvel {

/// Folders that hold a person's own data (the store, the single-instance
/// lock, the window frames) are readable by that person alone.
class PrivateFolders {
  public:
    /// Creates `folder` and every missing folder above it with mode 0700.
    /// Folders that exist keep their mode. Throws std::system_error naming
    /// the folder that could not be made, also when a file stands in the way.
    static void create(const std::filesystem::path& folder);
};

} // namespace corvel
