// Finding leftover own items and clearing them.
#include "async/Hop.h"
#include "backend/AllowHostRestartVariable.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/Mac26GhostClassifier.h"
#include "backend_mac26/Mac26GhostRecoveryPlanner.h"
#include "backend_mac26/Mac26HostRestart.h"
#include "backend_mac26/Mac26OwnNames.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace corvel {

namespace {

std::vector<Mac26GhostClassifier::Candidate> candidates(const MenuBarWindowList& windowList) {
    std::vector<Mac26GhostClassifier::Candidate> result;
    for (const auto& window : windowList.layer25Windows())
        result.push_back({window.windowID, window.name});
    return result;
}

std::vector<std::string> namesOf(const std::map<std::string, std::uint32_t*>& storedNumbers) {
    std::vector<std::string> names;
    for (const auto& [name, number] : storedNumbers)
        names.push_back(name);
    return names;
}

} // namespace

async::Task<GhostRecoveryOutcome> Mac26Backend::recoverFromGhosts() {
    async::Executor& caller = co_await async::currentExecutor();
    if (&caller != &main_)
        co_await async::hopTo(main_);

    std::set<std::uint32_t> tracked;
    for (const auto& [handle, number] : chromeWindowIDsByHandle_)
        tracked.insert(number);
    if (spacerWindowID_)
        tracked.insert(*spacerWindowID_);
    const auto ghosts =
        Mac26GhostClassifier::ghostWindowIDs(candidates(windowList_), nameSpace_, tracked);
    const int ghostCount = static_cast<int>(ghosts.size());
    const bool allowed =
        services_.environment->get(std::string(allowHostRestartVariable)) == std::string("1");

    const auto action = Mac26GhostRecoveryPlanner::plan(ghostCount, allowed);
    switch (action.kind()) {
    case Mac26GhostRecoveryPlanner::Action::Kind::reportClean:
        co_return GhostRecoveryOutcome::clean();
    case Mac26GhostRecoveryPlanner::Action::Kind::reportRequiresHostRestart:
        co_return GhostRecoveryOutcome::requiresHostRestart();
    case Mac26GhostRecoveryPlanner::Action::Kind::performHostRestart:
        break;
    }

    auto restart =
        async::runOn(background_, Mac26HostRestart::restartControlCenter(services_.processes));
    co_await std::move(restart);

    // The host gives every window it hosts a new number when it comes back,
    // the live ones included, so the tracked numbers cannot tell them from
    // ghosts any more: each live item's name claims one window instead.
    std::map<std::string, std::uint32_t*> storedNumbers;
    if (spacerItem_ && spacerWindowID_)
        storedNumbers[Mac26OwnNames::spacerName(nameSpace_)] = &*spacerWindowID_;
    for (const auto& [handle, item] : chromeItemsByHandle_)
        storedNumbers[Mac26OwnNames::iconName(nameSpace_, handle)] =
            &chromeWindowIDsByHandle_[handle];
    const auto claim = Mac26GhostClassifier::claimAfterRestart(candidates(windowList_), nameSpace_,
                                                               namesOf(storedNumbers), ghosts);
    for (const auto& [name, number] : claim.ownWindowIDsByName)
        *storedNumbers.at(name) = number;

    if (claim.ghostWindowIDs.empty())
        co_return GhostRecoveryOutcome::recovered(ghostCount);
    co_return GhostRecoveryOutcome::requiresHostRestart();
}

} // namespace corvel
