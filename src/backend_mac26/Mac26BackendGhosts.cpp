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

namespace {

async::Task<void> scanOn(std::shared_ptr<const Mac26MenuBarReader> reader) {
    reader->scan(reader->windowList().layer25Windows());
    co_return;
}

std::set<std::uint32_t> trackedNumbers(const Mac26OwnWindows::Numbers& own) {
    std::set<std::uint32_t> tracked;
    for (const auto& [handle, number] : own.icons)
        tracked.insert(number);
    if (own.spacer)
        tracked.insert(*own.spacer);
    return tracked;
}

} // namespace

async::Task<void> Mac26Backend::recogniseOwnWindows() {
    auto scanning = async::runOn(background_, scanOn(reader_));
    co_await std::move(scanning);
}

async::Task<GhostRecoveryOutcome> Mac26Backend::recoverFromGhosts() {
    const auto watched = changing();
    async::Executor& caller = co_await async::currentExecutor();
    if (&caller != &main_)
        co_await async::hopTo(main_);

    // Control Center may have restarted on its own since the numbers were
    // last seen: Corvel's own windows are found again first, or they would
    // count as leftovers.
    auto recognising = recogniseOwnWindows();
    co_await std::move(recognising);
    const auto tracked = trackedNumbers(ownWindows_->numbers());
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
    // ghosts any more: each live item's name claims one window, and a walk
    // then finds each item where it really stands.
    auto own = ownWindows_->numbers();
    std::map<std::string, std::uint32_t*> storedNumbers;
    if (spacerItem_ && own.spacer)
        storedNumbers[Mac26OwnNames::spacerName(nameSpace_)] = &*own.spacer;
    for (const auto& [handle, item] : chromeItemsByHandle_)
        if (auto number = own.icons.find(handle); number != own.icons.end())
            storedNumbers[Mac26OwnNames::iconName(nameSpace_, handle)] = &number->second;
    const auto claim = Mac26GhostClassifier::claimAfterRestart(candidates(windowList_), nameSpace_,
                                                               namesOf(storedNumbers), ghosts);
    for (const auto& [name, number] : claim.ownWindowIDsByName)
        *storedNumbers.at(name) = number;
    ownWindows_->replace(own);
    auto recognisingAgain = recogniseOwnWindows();
    co_await std::move(recognisingAgain);

    const auto remaining = Mac26GhostClassifier::ghostWindowIDs(
        candidates(windowList_), nameSpace_, trackedNumbers(ownWindows_->numbers()));
    if (remaining.empty())
        co_return GhostRecoveryOutcome::recovered(ghostCount);
    co_return GhostRecoveryOutcome::requiresHostRestart();
}

} // namespace corvel
