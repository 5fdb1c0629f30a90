#include "engine/StripEffectInterpreter.h"

#include "backend/BackendError.h"
#include "backend/MenuBarBackend.h"

#include <exception>

namespace corvel {

namespace {

using Effect = SessionState::Effect;
using Event = SessionState::Event;

// The timer holds the interpreter weakly: a show-all window that outlives the
// interpreter ends without touching it.
async::Task<void> expireShowAll(std::weak_ptr<StripEffectInterpreter> weakInterpreter) {
    auto interpreter = weakInterpreter.lock();
    if (!interpreter)
        co_return;
    auto handling = interpreter->handle(Event::showAllExpired());
    co_await std::move(handling);
    // Releasing `interpreter` here may destroy it, and with it the coordinator
    // whose timer task is running this; the task touches neither afterwards.
}

} // namespace

std::shared_ptr<StripEffectInterpreter>
StripEffectInterpreter::create(std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
                               std::weak_ptr<StripEffectInterpreterDelegate> delegate,
                               std::shared_ptr<RevealAllClock> revealAllClock,
                               async::Executor& mainExecutor) {
    return std::shared_ptr<StripEffectInterpreter>(
        new StripEffectInterpreter(std::move(backend), std::move(lookup), std::move(delegate),
                                   std::move(revealAllClock), mainExecutor));
}

StripEffectInterpreter::StripEffectInterpreter(
    std::shared_ptr<MenuBarBackend> backend, Lookup lookup,
    std::weak_ptr<StripEffectInterpreterDelegate> delegate,
    std::shared_ptr<RevealAllClock> revealAllClock, async::Executor& mainExecutor)
    : backend_(backend), lookup_(std::move(lookup)), delegate_(std::move(delegate)),
      revealAllCoordinator_(backend, std::move(revealAllClock), mainExecutor) {}

async::Task<std::vector<Effect>> StripEffectInterpreter::handle(Event event) {
    auto effects = state_.handle(event);
    return carryOutAll(shared_from_this(), effects, showAllWindows_);
}

async::Task<std::vector<Effect>>
StripEffectInterpreter::carryOutAll(std::shared_ptr<StripEffectInterpreter> self,
                                    std::vector<Effect> effects, std::uint64_t windowAtEvent) {
    for (const Effect& effect : effects) {
        auto step = self->carryOut(effect, windowAtEvent);
        co_await std::move(step);
    }
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
        scheduleShowAllExpiry(*effect.after());
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
    }
}

// Every path ends with revealDidFinish: it is the only way the machine's
// reveal returns to idle, and a reveal stuck in progress would ignore every
// later row click.
async::Task<void> StripEffectInterpreter::reveal(ItemID item) {
    std::exception_ptr unexpected;
    try {
        if (auto observed = lookup_(item)) {
            auto pressing = backend_->press(*observed);
            co_await std::move(pressing);
        }
    } catch (const BackendError&) {
        // A failed press is dropped: the user sees the item not open and can
        // click again.
    } catch (...) {
        unexpected = std::current_exception();
    }
    auto finishing = handle(Event::revealDidFinish(item));
    co_await std::move(finishing);
    if (unexpected)
        std::rethrow_exception(unexpected);
}

void StripEffectInterpreter::scheduleShowAllExpiry(async::Duration span) {
    ++showAllWindows_;
    std::weak_ptr<StripEffectInterpreter> weakSelf = weak_from_this();
    revealAllCoordinator_.scheduleExpiry(span, [weakSelf] { return expireShowAll(weakSelf); });
}

// The cancel comes after the hide has been awaited. If show-all was requested
// again meanwhile and its timer already runs, that timer belongs to the new
// window (scheduling it stopped ours), and cancelling it would leave the
// region shown with nothing to end it. If the new window has not scheduled
// yet, the pending timer is still ours and must go, or it would end the new
// window early.
void StripEffectInterpreter::cancelShowAllExpiry(std::uint64_t windowAtEvent) {
    if (showAllWindows_ != windowAtEvent)
        return;
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

void StripEffectInterpreter::setDelegate(std::weak_ptr<StripEffectInterpreterDelegate> delegate) {
    delegate_ = std::move(delegate);
}

} // namespace corvel
