#pragma once

#include "domain/CorvelStore.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace corvel::app {

/// The per-user places a run needs: the application-support folder (which
/// holds the lock that keeps Corvel to one instance per user) and the store
/// document.
struct LaunchPlaces {
    std::filesystem::path supportFolder;
    std::filesystem::path store;

    /// `storeOption` is taken relative to `workingDirectory`. Without HOME and
    /// XDG_DATA_HOME there is no per-user folder: the answer is then the
    /// message to refuse the start with, as a relative path would scatter
    /// stores over whatever folder Corvel happens to start in.
    static std::variant<LaunchPlaces, std::string>
    resolve(const CorvelStore::EnvironmentLookup& environment,
            const std::optional<std::string>& storeOption,
            const std::filesystem::path& workingDirectory);
};

} // namespace corvel::app
