#include "app/LaunchPlaces.h"

namespace corvel::app {

std::variant<LaunchPlaces, std::string>
LaunchPlaces::resolve(const CorvelStore::EnvironmentLookup& environment,
                      const std::optional<std::string>& storeOption,
                      const std::filesystem::path& workingDirectory) {
    const auto standardStore = CorvelStore::defaultURL(environment);
    if (!standardStore.is_absolute()) {
        return std::string(
            "Corvel can't start: neither HOME nor XDG_DATA_HOME names a folder, so there is no "
            "place to keep its store. Set HOME (or XDG_DATA_HOME to an absolute path) and start "
            "Corvel again.");
    }
    LaunchPlaces places;
    places.supportFolder = standardStore.parent_path();
    places.store =
        storeOption ? (workingDirectory / *storeOption).lexically_normal() : standardStore;
    return places;
}

} // namespace corvel::app
