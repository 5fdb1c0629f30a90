#include "backend_mac26/Mac26GhostClassifier.h"

namespace corvel {

namespace {

bool hasOwnPrefix(const std::string& name, const std::string& namespaceName) {
    const std::string prefix = namespaceName + "-";
    return name.compare(0, prefix.size(), prefix) == 0;
}

bool claimed(const Mac26GhostClassifier::Claim& claim, std::uint32_t windowID) {
    for (const auto& [name, number] : claim.ownWindowIDsByName)
        if (number == windowID)
            return true;
    return false;
}

} // namespace

std::vector<std::uint32_t>
Mac26GhostClassifier::ghostWindowIDs(const std::vector<Candidate>& among,
                                     const std::string& namespaceName,
                                     const std::set<std::uint32_t>& trackedWindowIDs) {
    std::vector<std::uint32_t> ghosts;
    for (const auto& candidate : among)
        if (hasOwnPrefix(candidate.name, namespaceName) &&
            !trackedWindowIDs.contains(candidate.windowID))
            ghosts.push_back(candidate.windowID);
    return ghosts;
}

Mac26GhostClassifier::Claim Mac26GhostClassifier::claimAfterRestart(
    const std::vector<Candidate>& among, const std::string& namespaceName,
    const std::vector<std::string>& liveOwnNames, const std::vector<std::uint32_t>& knownGhostIDs) {
    const std::set<std::uint32_t> knownGhosts(knownGhostIDs.begin(), knownGhostIDs.end());
    Claim claim;
    for (const auto& name : liveOwnNames) {
        const Candidate* chosen = nullptr;
        for (const auto& candidate : among) {
            if (candidate.name != name || claimed(claim, candidate.windowID))
                continue;
            if (!chosen)
                chosen = &candidate;
            if (!knownGhosts.contains(candidate.windowID)) {
                chosen = &candidate;
                break;
            }
        }
        if (chosen)
            claim.ownWindowIDsByName[name] = chosen->windowID;
    }
    for (const auto& candidate : among)
        if (hasOwnPrefix(candidate.name, namespaceName) && !claimed(claim, candidate.windowID))
            claim.ghostWindowIDs.push_back(candidate.windowID);
    return claim;
}

} // namespace corvel
