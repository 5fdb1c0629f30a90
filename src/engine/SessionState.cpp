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
        return dismissPanel();
    case Kind::showAllRequested:
        return showAllRequested();
    case Kind::showAllExpired:
    case Kind::showAllCancelledEarly:
        return endShowAll();
    case Kind::findItemRequested:
        return findItemRequested();
    case Kind::itemChosenInSearch:
        return itemChosenInSearch(*event.item());
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
    auto effects = closingSearch();
    strip_ = StripState::open(group);
    effects.push_back(Effect::openStripView(group));
    return effects;
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

// Escape and an outside click take down whichever panel is shown; the two
// never stand together.
std::vector<SessionState::Effect> SessionState::dismissPanel() {
    if (search_ == SearchState::open)
        return closingSearch();
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
    std::vector<Effect> effects{Effect::closeStripView()};
    for (const auto& effect : closingSearch())
        effects.push_back(effect);
    effects.push_back(Effect::revealRegion());
    effects.push_back(Effect::scheduleShowAllExpiry(showAllWindow));
    return effects;
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

// The search is asked for as a Group's Strip is: asking again while it is
// shown takes it down. It takes an open Strip down first.
std::vector<SessionState::Effect> SessionState::findItemRequested() {
    if (search_ == SearchState::open)
        return closingSearch();
    std::vector<Effect> effects;
    if (strip_ != StripState::closed()) {
        strip_ = StripState::closed();
        effects.push_back(Effect::closeStripView());
    }
    search_ = SearchState::open;
    effects.push_back(Effect::openSearchView());
    return effects;
}

// The same reveal as a Strip row's, under the same rule: one at a time, and
// the panel down first so that the item's menu is not covered.
std::vector<SessionState::Effect> SessionState::itemChosenInSearch(const ItemID& item) {
    if (search_ != SearchState::open || reveal_ != RevealState::idle())
        return {};
    auto effects = closingSearch();
    reveal_ = RevealState::revealing(item);
    effects.push_back(Effect::beginReveal(item));
    return effects;
}

std::vector<SessionState::Effect> SessionState::closingSearch() {
    if (search_ == SearchState::closed)
        return {};
    search_ = SearchState::closed;
    return {Effect::closeSearchView()};
}

} // namespace corvel
