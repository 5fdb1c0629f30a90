#include "backend_mac26/Mac26OwnWindows.h"

namespace corvel {

bool Mac26OwnWindows::Numbers::contains(std::uint32_t windowID) const {
    if (spacer == windowID)
        return true;
    for (const auto& [handle, number] : icons)
        if (number == windowID)
            return true;
    return false;
}

Mac26OwnWindows::Numbers Mac26OwnWindows::numbers() const {
    std::lock_guard lock(mutex_);
    return numbers_;
}

void Mac26OwnWindows::replace(Numbers numbers) {
    std::lock_guard lock(mutex_);
    numbers_ = std::move(numbers);
}

void Mac26OwnWindows::recognise(const std::vector<Sighting>& sightings,
                                std::string_view spacerIdentifier) {
    std::lock_guard lock(mutex_);
    for (const auto& sighting : sightings) {
        if (sighting.identifier == spacerIdentifier) {
            if (numbers_.spacer)
                numbers_.spacer = sighting.windowID;
            continue;
        }
        const auto handle = Uuid::parse(sighting.identifier);
        if (!handle)
            continue;
        if (auto icon = numbers_.icons.find(*handle); icon != numbers_.icons.end())
            icon->second = sighting.windowID;
    }
}

} // namespace corvel
