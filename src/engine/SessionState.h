#pragma once

#include "engine/RevealState.h"
#include "engine/SearchState.h"
#include "engine/SessionStateEffect.h"
#include "engine/SessionStateEvent.h"
#include "engine/ShowAllState.h"
#include "engine/StripState.h"

#include <chrono>
#include <vector>

namespace corvel {

/// The decision core of the user's interaction with the menu bar: which Strip
/// is open, whether the item search is, whether one Item is being revealed,
/// whether show-all is active.
/// A plain value with no input, output or timers; its single live instance
/// belongs to the strip effect interpreter, which feeds it events on the main
/// thread and carries out the effects it returns.
class SessionState {
  public:
    using Event = SessionStateEvent;
    using Effect = SessionStateEffect;

    /// The only time span the machine ever emits.
    static constexpr async::Duration showAllWindow = std::chrono::seconds(30);

    SessionState() = default;

    /// Applies `event` and returns what must be carried out, in order. An
    /// empty list means the event did not fit the current state, which is
    /// then unchanged. Total: every event is accepted in every state.
    std::vector<Effect> handle(const Event& event);

    const StripState& strip() const { return strip_; }
    const RevealState& reveal() const { return reveal_; }
    ShowAllState showAll() const { return showAll_; }
    SearchState search() const { return search_; }

    bool operator==(const SessionState&) const = default;

  private:
    std::vector<Effect> groupIconClicked(const GroupID& group);
    std::vector<Effect> itemClickedInStrip(const ItemID& item, const GroupID& group);
    std::vector<Effect> revealDidFinish(const ItemID& item);
    std::vector<Effect> dismissPanel();
    std::vector<Effect> findItemRequested();
    std::vector<Effect> itemChosenInSearch(const ItemID& item);
    /// Takes the item search down, if it is shown, before what follows.
    std::vector<Effect> closingSearch();
    std::vector<Effect> showAllRequested();
    std::vector<Effect> endShowAll();

    StripState strip_ = StripState::closed();
    RevealState reveal_ = RevealState::idle();
    ShowAllState showAll_ = ShowAllState::inactive;
    SearchState search_ = SearchState::closed;
};

} // namespace corvel
