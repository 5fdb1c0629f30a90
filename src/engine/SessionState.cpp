#include "engine/SessionState.h"

namespace corvel {

std::vector<SessionState::Effect> SessionState::handle(const Event& event) {
    using Kind = Event::Kind;
    switch (event.kind()) {
    case Kind::groupIconClicked:
        return groupIconClicked(*event.group());
    case Kind::itemClickedInStrip:
        return itemClickedInStrip(*event.item(), *event.group());
    case Kind::revealDidFinish:
        return revealDidFinish(*event.item());
    case Kind::outsideClick:
    case Kind::escapeKeyPressed:
        return dismissStrip();
    case Kind::showAllRequested:
        return showAllRequested();
    case Kind::showAllExpired:
    case Kind::showAllCancelledEarly:
        return endShowAll();
    }
    return {};
}

// Switching to another Group's Strip is a retarget, not a close and reopen,
// so the panel does not flicker.
std::vector<SessionState::Effect> SessionState::groupIconClicked(const GroupID& group) {
    if (strip_.isOpen(group)) {
        strip_ = StripState::closed();
        return {Effect::closeStripView()};
    }
    strip_ = StripState::open(group);
    return {Effect::openStripView(group)};
}

// A reveal starts only from the row's own open Strip, one at a time, and the
// Strip is taken down first so that the pressed item's menu is not covered.
std::vector<SessionState::Effect> SessionState::itemClickedInStrip(const ItemID& item,
                                                                   const GroupID& group) {
    if (!strip_.isOpen(group) || reveal_ != RevealState::idle())
        return {};
    strip_ = StripState::closed();
    reveal_ = RevealState::revealing(item);
    return {Effect::closeStripView(), Effect::beginReveal(item)};
}

std::vector<SessionState::Effect> SessionState::revealDidFinish(const ItemID& item) {
    if (reveal_.isRevealing(item))
        reveal_ = RevealState::idle();
    return {};
}

std::vector<SessionState::Effect> SessionState::dismissStrip() {
    if (strip_ == StripState::closed())
        return {};
    strip_ = StripState::closed();
    return {Effect::closeStripView()};
}

// The close is sent even for a closed Strip: the view treats it as a no-op,
// and the machine need not know whether the panel is really down.
std::vector<SessionState::Effect> SessionState::showAllRequested() {
    if (showAll_ == ShowAllState::active)
        return {};
    showAll_ = ShowAllState::active;
    strip_ = StripState::closed();
    return {Effect::closeStripView(), Effect::revealRegion(),
            Effect::scheduleShowAllExpiry(showAllWindow)};
}

// The timer is cancelled only after the region is hidden: when the timer
// itself delivered the expiry, cancelling first would cut short the very task
// that is hiding the region.
std::vector<SessionState::Effect> SessionState::endShowAll() {
    if (showAll_ == ShowAllState::inactive)
        return {};
    showAll_ = ShowAllState::inactive;
    return {Effect::hideRegion(), Effect::cancelShowAllExpiry()};
}

} // namespace corvel
