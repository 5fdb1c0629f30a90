#include "engine/FiledItemsKeeper.h"

#include "async/Sleep.h"
#include "backend/BackendError.h"
#include "engine/AppearedItemsDecider.h"
#include "engine/ItemAssignmentCoordinator.h"

#include <utility>

namespace corvel {

std::shared_ptr<FiledItemsKeeper>
FiledItemsKeeper::create(async::Executor& mainExecutor,
                         std::shared_ptr<ItemAssignmentCoordinator> assignment,
                         PlaceChrome placeChrome, std::function<bool()> isBusy) {
    return std::shared_ptr<FiledItemsKeeper>(new FiledItemsKeeper(
        mainExecutor, std::move(assignment), std::move(placeChrome), std::move(isBusy)));
}

FiledItemsKeeper::FiledItemsKeeper(async::Executor& mainExecutor,
                                   std::shared_ptr<ItemAssignmentCoordinator> assignment,
                                   PlaceChrome placeChrome, std::function<bool()> isBusy)
    : mainExecutor_(mainExecutor), assignment_(std::move(assignment)),
      placeChrome_(std::move(placeChrome)), isBusy_(std::move(isBusy)) {}

FiledItemsKeeper::~FiledItemsKeeper() {
    watchTask_.cancel();
}

async::Task<void> FiledItemsKeeper::putBackAtLaunch() {
    return launchPasses(shared_from_this());
}

async::Task<void> FiledItemsKeeper::launchPasses(Self self) {
    self->itemsCameOut_ = true;
    if (!self->passing_) {
        self->passing_ = true;
        auto running = passes(self);
        co_await std::move(running);
    }
    self->launched_ = true;
}

void FiledItemsKeeper::putBack() {
    itemsCameOut_ = true;
    startPasses();
}

void FiledItemsKeeper::groupsChanged() {
    groupsChangedAgain_ = true;
    startPasses();
}

void FiledItemsKeeper::itemAppeared(const ObservedItem& item) {
    if (!launched_)
        return;
    arrived_.insert(item.id);
    lastArrival_ = mainExecutor_.now();
    if (watching_)
        return;
    watching_ = true;
    firstArrival_ = lastArrival_;
    watchTask_ = async::spawn(mainExecutor_, watchArrivals(weak_from_this()));
}

void FiledItemsKeeper::startPasses() {
    if (passing_)
        return;
    passing_ = true;
    async::spawn(mainExecutor_, passes(shared_from_this()));
}

async::Task<void> FiledItemsKeeper::passes(Self self) {
    while (self->groupsChangedAgain_ || self->itemsCameOut_) {
        const bool groupsChanged = std::exchange(self->groupsChangedAgain_, false);
        self->itemsCameOut_ = false;
        if (groupsChanged) {
            try {
                auto placing = self->placeChrome_();
                co_await std::move(placing);
            } catch (const std::exception&) {
            }
        }
        try {
            auto reconciling = self->assignment_->reconcileAtLaunch();
            co_await std::move(reconciling);
        } catch (const std::exception&) {
        }
    }
    self->passing_ = false;
}

async::Task<void> FiledItemsKeeper::watchArrivals(std::weak_ptr<FiledItemsKeeper> weakSelf) {
    for (;;) {
        co_await async::sleepFor(arrivalQuiet);
        const bool cancelled = co_await async::isCancelled();
        auto self = weakSelf.lock();
        if (cancelled || !self)
            co_return;
        if (!self->arrivalsSettled())
            continue;
        auto looking = lookAtArrivals(std::move(self));
        co_await std::move(looking);
        co_return;
    }
}

bool FiledItemsKeeper::arrivalsSettled() const {
    const auto now = mainExecutor_.now();
    const bool quiet = now - lastArrival_ >= arrivalQuiet || now - firstArrival_ >= longestHoldBack;
    return quiet && !isBusy_();
}

async::Task<void> FiledItemsKeeper::lookAtArrivals(Self self) {
    // What arrives while the bar is read is looked at by the next watch.
    const auto arrived = std::exchange(self->arrived_, {});
    self->watching_ = false;
    std::vector<std::pair<AssignableItemRow, ObservedItem>> sightings;
    try {
        auto reading = self->assignment_->refreshRows();
        auto rows = co_await std::move(reading);
        for (auto& row : rows)
            if (auto observed = self->assignment_->observedItem(row.id))
                sightings.emplace_back(std::move(row), std::move(*observed));
    } catch (const BackendError&) {
        // Without a reading there is nothing to go by; the next arrival or
        // change of the Groups looks again.
        co_return;
    }
    if (!AppearedItemsDecider::warrantsPass(sightings, arrived))
        co_return;
    self->itemsCameOut_ = true;
    self->startPasses();
}

} // namespace corvel
