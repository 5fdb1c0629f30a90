#include "engine/StripEffectInterpreter.h"

#include "backend/BackendError.h"
#include "backend/MenuBarBackend.h"
#include "engine/ItemDisplayNameHeuristic.h"

#include <exception>
#include <string>

namespace corvel {

namespace {

using Effect = SessionState::Effect;
using Event = SessionState::Event;

const char* nameOf(Effect::Kind kind) {
    switch (kind) {
    case Effect::Kind::openStripView:
        return "openStripView";
    case Effect::Kind::beginReveal:
        return "beginReveal";
    case Effect::Kind::scheduleShowAllExpiry:
        return "scheduleShowAllExpiry";
    case Effect::Kind::closeStripView:
        return "closeStripView";
    case Effect::Kind::cancelShowAllExpiry:
        return "cancelShowAllExpiry";
    case Effect::Kind::hideRegion:
        return "hideRegion";
    case Effect::Kind::revealRegion:
        return "revealRegion";
    case Effect::Kind::openSearchView:
        return "openSearchView";
    case Effect::Kind::closeSearchView:
        return "closeSearchView";
    }
    return "an effect";
}

std::string describe(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an unknown error";
    }
}

} // namespace

// The timer holds the interpreter weakly: a show-all window that outlives the
// interpreter ends without touching it. An expiry belongs to the window that
// scheduled it; in any later window it is dropped.
async::Task<void> StripEffectInterpreter::expireShowAll(std::weak_ptr<StripEffectInterpreter> weak,
                                                        std::uint64_t window) {
    auto interpreter = weak.lock();
    if (!interpreter || !interpreter->isCurrentShowAllWindow(window))
        co_return;
    auto handling = interpreter->handle(Event::showAllExpired());
    co_await std::move(handling);
    // Releasing `interpreter` here may destroy it, and with it the coordinator
    // whose timer task is running this; the task touches neither afterwards.
}

std::shared_ptr<StripEffectInterpreter>
StripEffectInterpreter::create(std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
                               std::weak_ptr<StripEffectInterpreterDelegate> delegate,
                               std::shared_ptr<RevealAllClock> revealAllClock,
                               async::Executor& mainExecutor, platform::SystemLog& log) {
    return std::shared_ptr<StripEffectInterpreter>(
        new StripEffectInterpreter(std::move(backend), std::move(lookup), std::move(delegate),
                                   std::move(revealAllClock), mainExecutor, log));
}

StripEffectInterpreter::StripEffectInterpreter(
    std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
    std::weak_ptr<StripEffectInterpreterDelegate> delegate,
    std::shared_ptr<RevealAllClock> revealAllClock, async::Executor& mainExecutor,
    platform::SystemLog& log)
    : backend_(backend), lookup_(std::move(lookup)), delegate_(std::move(delegate)), log_(log),
      revealAllCoordinator_(backend, std::move(revealAllClock), mainExecutor) {}

async::Task<std::vector<Effect>> StripEffectInterpreter::handle(Event event) {
    const bool wasShowingAll = state_.showAll() == ShowAllState::active;
    auto effects = state_.handle(event);
    const bool isShowingAll = state_.showAll() == ShowAllState::active;
    if (!wasShowingAll && isShowingAll)
        ++showAllWindow_;
    // The user ended the window: its timer stops now, not once the hide is
    // back, or it could fire into a window the user starts meanwhile.
    if (wasShowingAll && !isShowingAll && event.kind() == Event::Kind::showAllCancelledEarly)
        cancelShowAllExpiry(showAllWindow_);
    return carryOutAll(shared_from_this(), effects, showAllWindow_);
}

// A failure that is not the backend's is a fault, but the effects after it
// still run, as after a backend failure: a show-all window whose reveal threw
// must still get its timer, or it would never end. The first such failure
// reaches the sender once every effect has been carried out.
async::Task<std::vector<Effect>>
StripEffectInterpreter::carryOutAll(std::shared_ptr<StripEffectInterpreter> self,
                                    std::vector<Effect> effects, std::uint64_t windowAtEvent) {
    std::exception_ptr unexpected;
    for (const Effect& effect : effects) {
        std::exception_ptr failure;
        try {
            auto step = self->carryOut(effect, windowAtEvent);
            co_await std::move(step);
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure && !unexpected)
            unexpected = failure;
        if (failure && effect.kind() != Effect::Kind::beginReveal)
            self->log_.write(std::string("Corvel: ") + nameOf(effect.kind()) +
                             " failed unexpectedly \u2014 " + describe(failure));
    }
    if (unexpected)
        std::rethrow_exception(unexpected);
    co_return effects;
}

async::Task<void> StripEffectInterpreter::carryOut(Effect effect, std::uint64_t windowAtEvent) {
    switch (effect.kind()) {
    case Effect::Kind::openStripView:
        requestOpenStrip(*effect.group());
        break;
    case Effect::Kind::beginReveal: {
        auto revealing = reveal(*effect.item());
        co_await std::move(revealing);
        break;
    }
    case Effect::Kind::scheduleShowAllExpiry:
        scheduleShowAllExpiry(*effect.after(), windowAtEvent);
        break;
    case Effect::Kind::closeStripView:
        requestCloseStrip();
        break;
    case Effect::Kind::cancelShowAllExpiry:
        cancelShowAllExpiry(windowAtEvent);
        break;
    case Effect::Kind::hideRegion: {
        auto hiding = revealAllCoordinator_.hide();
        co_await std::move(hiding);
        break;
    }
    case Effect::Kind::revealRegion: {
        auto revealing = revealAllCoordinator_.reveal();
        co_await std::move(revealing);
        break;
    }
    case Effect::Kind::openSearchView:
        requestSearch(true);
        break;
    case Effect::Kind::closeSearchView:
        requestSearch(false);
        break;
    }
}

// Every path ends with revealDidFinish: it is the only way the machine's
// reveal returns to idle, and a reveal stuck in progress would ignore every
// later row click.
async::Task<void> StripEffectInterpreter::reveal(ItemID item) {
    std::exception_ptr unexpected;
    std::optional<ObservedItem> observed;
    try {
        observed = lookup_(item);
        if (observed) {
            auto pressing = backend_->press(*observed);
            co_await std::move(pressing);
        }
    } catch (const BackendError& error) {
        // A failed press is dropped: the user sees the item not open and can
        // click again. One that never opened its menu is said, since the
        // backend has put the item away again and nothing else shows it.
        if (error.kind() == BackendError::Kind::pressUnconfirmed)
            log_.write("Corvel: " + ItemDisplayNameHeuristic::displayName(observed->identity) +
                       " did not open its menu");
    } catch (...) {
        unexpected = std::current_exception();
        log_.write("Corvel: beginReveal failed unexpectedly \u2014 " + describe(unexpected));
    }
    auto finishing = handle(Event::revealDidFinish(item));
    co_await std::move(finishing);
    if (unexpected)
        std::rethrow_exception(unexpected);
}

bool StripEffectInterpreter::isCurrentShowAllWindow(std::uint64_t window) const {
    return window == showAllWindow_ && state_.showAll() == ShowAllState::active;
}

// The reveal before the schedule may come back after the window it belongs to
// has ended: that window needs no timer, and the next one has its own.
void StripEffectInterpreter::scheduleShowAllExpiry(async::Duration span, std::uint64_t window) {
    if (!isCurrentShowAllWindow(window))
        return;
    timerWindow_ = window;
    std::weak_ptr<StripEffectInterpreter> weakSelf = weak_from_this();
    revealAllCoordinator_.scheduleExpiry(
        span, [weakSelf, window] { return expireShowAll(weakSelf, window); });
}

// Ending one window never stops the timer of a window that started after it.
void StripEffectInterpreter::cancelShowAllExpiry(std::uint64_t window) {
    if (timerWindow_ != window)
        return;
    timerWindow_ = 0;
    revealAllCoordinator_.cancelExpiry();
}

void StripEffectInterpreter::requestOpenStrip(const GroupID& group) {
    // The delegate may drop its last reference to us inside the call; `self`
    // in carryOutAll keeps this object alive until the effects are done.
    if (auto delegate = delegate_.lock())
        delegate->stripEffectInterpreter(*this, group);
}

void StripEffectInterpreter::requestCloseStrip() {
    if (auto delegate = delegate_.lock())
        delegate->stripEffectInterpreterDidRequestCloseStrip(*this);
}

void StripEffectInterpreter::requestSearch(bool open) {
    // As for the Strip: carryOutAll keeps this object alive meanwhile.
    auto delegate = searchDelegate_.lock();
    if (!delegate)
        return;
    if (open)
        delegate->stripEffectInterpreterDidRequestOpenSearch(*this);
    else
        delegate->stripEffectInterpreterDidRequestCloseSearch(*this);
}

void StripEffectInterpreter::setDelegate(std::weak_ptr<StripEffectInterpreterDelegate> delegate) {
    delegate_ = std::move(delegate);
}

void StripEffectInterpreter::setSearchDelegate(std::weak_ptr<ItemSearchDelegate> delegate) {
    searchDelegate_ = std::move(delegate);
}

StripEffectInterpreter::Lookup StripEffectInterpreter::eitherOf(Lookup first, Lookup second) {
    return [first = std::move(first), second = std::move(second)](const ItemID& item) {
        auto found = first(item);
        return found ? found : second(item);
    };
}

} // namespace corvel
