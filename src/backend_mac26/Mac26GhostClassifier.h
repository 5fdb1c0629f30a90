#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace corvel {

/// Tells leftover own status item windows (ghosts) from the ones the running
/// backend owns. Pure.
struct Mac26GhostClassifier {
    /// One window of the status layer.
    struct Candidate {
        std::uint32_t windowID = 0;
        std::string name;

        friend bool operator==(const Candidate&, const Candidate&) = default;
    };

    /// The numbers, in list order, of the windows named with the own prefix
    /// (namespace + "-", case-sensitive) that are not tracked.
    static std::vector<std::uint32_t>
    ghostWindowIDs(const std::vector<Candidate>& among, const std::string& namespaceName,
                   const std::set<std::uint32_t>& trackedWindowIDs);

    /// How the own windows split after a restart of the host, which gives
    /// every window it hosts a new number, so that the tracked numbers say
    /// nothing any more.
    struct Claim {
        /// Own-prefixed windows that no live item claimed, in list order.
        std::vector<std::uint32_t> ghostWindowIDs;
        /// The window each live item's name claimed.
        std::map<std::string, std::uint32_t> ownWindowIDsByName;

        friend bool operator==(const Claim&, const Claim&) = default;
    };

    /// Each of `liveOwnNames` (the names of the status items the backend
    /// holds now) claims one window of that name, preferring one that is not
    /// among `knownGhostIDs` (the ghosts counted before the restart, which
    /// keep their numbers when they survive it); every other window with the
    /// own prefix is a ghost.
    static Claim claimAfterRestart(const std::vector<Candidate>& among,
                                   const std::string& namespaceName,
                                   const std::vector<std::string>& liveOwnNames,
                                   const std::vector<std::uint32_t>& knownGhostIDs);
};

} // namespace corvel
