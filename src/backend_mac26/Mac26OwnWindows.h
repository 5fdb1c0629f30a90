#pragma once

#include "domain/Uuid.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel {

/// Which windows of the menu bar are Corvel's own status items, by number.
/// Names tell them apart only while the window list gives names, and a
/// restarted host gives every window it hosts a new number; so the numbers
/// are kept here, set by each placement and recognised again by every
/// accessibility walk, which finds Corvel's own items in its own process.
/// Shared by the backend (main thread), the poll and the reader
/// (background); thread-safe.
class Mac26OwnWindows {
  public:
    struct Numbers {
        std::optional<std::uint32_t> spacer;
        std::unordered_map<Uuid, std::uint32_t> icons;

        bool contains(std::uint32_t windowID) const;
        friend bool operator==(const Numbers&, const Numbers&) = default;
    };

    /// A window that a walk matched to one of Corvel's own items, with that
    /// item's accessibility identifier (an icon's handle, or the spacer's name).
    struct Sighting {
        std::uint32_t windowID = 0;
        std::string identifier;
    };

    Numbers numbers() const;
    /// After a placement or prepare(): exactly these items exist now.
    void replace(Numbers numbers);
    /// Moves each known item to the window a walk found it in; sightings of
    /// items not known here are ignored.
    void recognise(const std::vector<Sighting>& sightings, std::string_view spacerIdentifier);

  private:
    mutable std::mutex mutex_;
    Numbers numbers_;
};

} // namespace corvel
