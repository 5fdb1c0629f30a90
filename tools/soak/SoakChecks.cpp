// What a soak checks after every step.
#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"
#include "engine/GroupStore.h"
#include "soak/SoakRun.h"

#include <QApplication>

namespace corvel::soak {

namespace {

using namespace std::chrono_literals;

// Every step, whatever it did, comes to rest within this much virtual time.
constexpr async::Duration settleBound = 30s;
constexpr async::Duration settleTick = 50ms;
constexpr async::Duration settleDelay = 1s;
// Own windows and items beyond what a launch makes; more is a leak.
constexpr std::size_t windowsSlack = 8;
constexpr std::size_t ownItemsBeyondGroups = 2;
constexpr std::size_t processesSlack = 40;
constexpr const char* spacerName = "Corvel-HiddenRegionSpacer";

// Lines that say something went wrong that nothing in a soak should cause.
constexpr const char* unexpectedInLog[] = {
    "failed to write the store",
    "could not read or migrate the store",
    "is left as it is",
};

} // namespace

std::string SoakRun::storePath() const {
    return (run_.folder.path() / "store.json").string();
}

std::optional<SoakModel> SoakRun::modelOnDisk(std::string* failure) const {
    if (!StoreFile::exists(storePath()))
        return SoakModel{};
    const auto bytes = StoreFile::readBytes(storePath(), failure);
    if (!bytes)
        return std::nullopt;
    const auto store = StoreDocument::read(*bytes);
    if (!store) {
        *failure = "it does not decode (" + std::to_string(bytes->size()) + " bytes)";
        return std::nullopt;
    }
    return SoakModel::of(*store, candidates_);
}

std::string SoakRun::menuBar() const {
    std::string text;
    for (const auto& item : run_.desktop->itemsLeftToRight())
        text += (text.empty() ? "" : ", ") + item.name + " " +
                std::to_string(static_cast<int>(item.frame.origin.x)) + "+" +
                std::to_string(static_cast<int>(item.frame.size.width));
    return text;
}

// Where the hidden region stands, to tell why an item is in view.
std::string SoakRun::spacerText() const {
    for (const auto& item : run_.desktop->itemsLeftToRight())
        if (item.name == spacerName && item.creatorPid == run_.desktop->currentProcessIdentifier())
            return " (the spacer is " + std::to_string(static_cast<int>(item.length)) +
                   " points wide at x " + std::to_string(static_cast<int>(item.frame.origin.x)) +
                   ")";
    return " (no spacer in the menu bar)";
}

std::optional<std::string> SoakRun::unsettled() const {
    const auto& store = *run_.delegate->store();
    const auto held =
        SoakModel::of({.groups = store.groups(), .items = store.items()}, candidates_);
    if (held != model_)
        return "Corvel holds " + model_.differences(held);
    if (showAllActive())
        return std::nullopt;
    for (const auto& [bundle, group] : model_.filed)
        if (run_.desktop->pidOf(bundle) && !needAHand_.contains(bundle) &&
            run_.person->isItemInView(bundle))
            return bundle + ", filed into " + group + ", is in view" + spacerText();
    return std::nullopt;
}

std::optional<std::string> SoakRun::settleAndCheck() {
    if (auto failure = std::exchange(pendingFailure_, std::nullopt))
        return failure;
    if (faultThisStep_) {
        // A move that met the fault needs a hand; the rest must settle.
        run_.loop.advance(2s);
        for (const auto& [bundle, group] : model_.filed)
            if (run_.desktop->pidOf(bundle) && run_.person->isItemInView(bundle))
                needAHand_.insert(bundle);
    }
    // What comes a moment after the step (Control Center back after its
    // restart, an application's items registered) belongs to this step.
    run_.loop.advance(settleDelay);
    const auto deadline = run_.loop.now() + settleBound;
    // At rest means still so a debounce later, when the last write is done.
    for (bool atRest = false; !atRest;) {
        while (auto why = unsettled()) {
            if (run_.loop.now() >= deadline)
                return "did not settle within 30 s: " + *why;
            QCoreApplication::processEvents();
            run_.loop.advance(settleTick);
        }
        run_.loop.advance(run_.delegate->store()->writeDebounce() + settleTick);
        atRest = !unsettled();
    }
    for (auto check : {&SoakRun::checkStoreOnDisk, &SoakRun::checkLog})
        if (auto failure = (this->*check)())
            return failure;
    return checkBounds();
}

std::optional<std::string> SoakRun::checkStoreOnDisk() {
    std::string failure;
    const auto onDisk = modelOnDisk(&failure);
    if (!onDisk)
        return "the store on disk cannot be read: " + failure;
    if (*onDisk != model_)
        return "the store on disk has " + model_.differences(*onDisk);
    return std::nullopt;
}

// A kill loses at most what was not written yet: the store holds the last
// settled state or what the step asked for, whole, and becomes the model.
std::optional<std::string> SoakRun::checkAfterKill() {
    std::string failure;
    const auto read = modelOnDisk(&failure);
    if (!read)
        return "after a kill the store is torn: " + failure;
    const auto& onDisk = *read;
    bool whole = onDisk == before_ || onDisk == model_;
    if (!whole && !deleting_.empty() && onDisk.groups == before_.groups) {
        // Deleting takes the members out one by one before the Group goes.
        auto partly = before_;
        for (const auto& member : before_.membersOf(deleting_))
            if (!onDisk.filed.contains(member))
                partly.filed.erase(member);
        whole = onDisk == partly;
    }
    if (!whole)
        return "after a kill the store is neither the state before the step nor the one asked "
               "for: it has " +
               model_.differences(onDisk);
    model_ = onDisk;
    return std::nullopt;
}

std::optional<std::string> SoakRun::checkBounds() {
    const auto self = run_.desktop->currentProcessIdentifier();
    std::size_t own = 0;
    std::string names;
    for (const auto& item : run_.desktop->itemsLeftToRight())
        if (item.creatorPid == self) {
            ++own;
            names += " " + item.name + (item.isLeftover ? " (left over)" : "");
        }
    if (own > model_.groups.size() + ownItemsBeyondGroups)
        return "Corvel has " + std::to_string(own) + " items in the menu bar for " +
               std::to_string(model_.groups.size()) + " Groups:" + names;
    const auto windows = static_cast<std::size_t>(QApplication::topLevelWidgets().size());
    if (windowsBound_ == 0)
        windowsBound_ = windows + windowsSlack;
    if (windows > windowsBound_)
        return std::to_string(windows) + " top-level windows, more than " +
               std::to_string(windowsBound_);
    const auto processes = run_.desktop->processes().size();
    if (processes > run_.scenario.applications.size() + processesSlack)
        return "the desktop keeps " + std::to_string(processes) + " processes";
    if (run_.desktop->postedEvents().size() > 1000)
        return "the desktop keeps " + std::to_string(run_.desktop->postedEvents().size()) +
               " posted events";
    return std::nullopt;
}

std::optional<std::string> SoakRun::checkLog() {
    const auto lines = run_.log->lines();
    run_.log->clear();
    run_.alerts->clear();
    for (const auto& line : lines) {
        if (!line.starts_with("Corvel: "))
            return "the log has a line of its own: " + line;
        for (const char* unexpected : unexpectedInLog)
            if (line.find(unexpected) != std::string::npos)
                return "the log says: " + line;
    }
    return std::nullopt;
}

} // namespace corvel::soak
