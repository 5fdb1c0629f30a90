#include "engine/SessionState.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace corvel;
using namespace std::chrono_literals;
using Event = SessionState::Event;
using Effect = SessionState::Effect;
using Effects = std::vector<Effect>;

namespace corvel {
// Failure messages name the effect rather than dumping its bytes.
void PrintTo(const SessionStateEffect& effect, std::ostream* out) {
    static constexpr const char* names[] = {
        "openStripView",  "beginReveal",         "scheduleShowAllExpiry",
        "closeStripView", "cancelShowAllExpiry", "hideRegion",
        "revealRegion",   "openSearchView",      "closeSearchView"};
    *out << names[static_cast<int>(effect.kind())];
    if (effect.group())
        *out << "(" << effect.group()->rawValue().text() << ")";
    if (effect.item())
        *out << "(" << effect.item()->rawValue().text() << ")";
    if (effect.after())
        *out << "(" << effect.after()->count() << "ns)";
}

// Names the parameterised cases after the event, not after its bytes.
void PrintTo(const SessionStateEvent& event, std::ostream* out) {
    static constexpr const char* names[] = {
        "groupIconClicked",  "itemClickedInStrip", "revealDidFinish", "outsideClick",
        "escapeKeyPressed",  "showAllRequested",   "showAllExpired",  "showAllCancelledEarly",
        "findItemRequested", "itemChosenInSearch"};
    *out << names[static_cast<int>(event.kind())];
}
} // namespace corvel

namespace {

std::string eventName(const ::testing::TestParamInfo<Event>& info) {
    return ::testing::PrintToString(info.param);
}

class SessionMachine : public ::testing::Test {
  protected:
    // Every ignored event must leave the whole state as it was.
    void expectIgnored(const Event& event) {
        SessionState before = state;
        EXPECT_EQ(state.handle(event), Effects{});
        EXPECT_EQ(state, before);
    }

    void openStripOf(const GroupID& group) { state.handle(Event::groupIconClicked(group)); }
    void startRevealOf(const ItemID& item, const GroupID& group) {
        openStripOf(group);
        state.handle(Event::itemClickedInStrip(item, group));
        ASSERT_EQ(state.reveal(), RevealState::revealing(item));
    }
    void startShowAll() { state.handle(Event::showAllRequested()); }
    void openSearch() {
        state.handle(Event::findItemRequested());
        ASSERT_EQ(state.search(), SearchState::open);
    }

    SessionState state;
    GroupID groupA = GroupID::random();
    GroupID groupB = GroupID::random();
    ItemID itemX = ItemID::random();
    ItemID itemY = ItemID::random();
};

// groupIconClicked

using GroupIconClicked = SessionMachine;

TEST_F(GroupIconClicked, opensTheStripRetargetsItWithoutClosingFirstAndOnItsOwnIconClosesIt) {
    EXPECT_EQ(state.handle(Event::groupIconClicked(groupA)),
              Effects{Effect::openStripView(groupA)});
    EXPECT_EQ(state.strip(), StripState::open(groupA));
    EXPECT_EQ(state.handle(Event::groupIconClicked(groupB)),
              Effects{Effect::openStripView(groupB)});
    EXPECT_EQ(state.strip(), StripState::open(groupB));
    EXPECT_EQ(state.handle(Event::groupIconClicked(groupB)), Effects{Effect::closeStripView()});
    EXPECT_EQ(state.strip(), StripState::closed());
}

TEST_F(GroupIconClicked, opensAStripWhileAShowAllAndARevealRunAndLeavesBothAlone) {
    startRevealOf(itemX, groupA);
    startShowAll();
    EXPECT_EQ(state.handle(Event::groupIconClicked(groupA)),
              Effects{Effect::openStripView(groupA)});
    EXPECT_EQ(state.strip(), StripState::open(groupA));
    EXPECT_EQ(state.reveal(), RevealState::revealing(itemX));
    EXPECT_EQ(state.showAll(), ShowAllState::active);
}

// itemClickedInStrip

using ItemClickedInStrip = SessionMachine;

TEST_F(ItemClickedInStrip, closesTheStripBeforeTheRevealOfTheClickedItemBegins) {
    openStripOf(groupA);
    EXPECT_EQ(state.handle(Event::itemClickedInStrip(itemX, groupA)),
              (Effects{Effect::closeStripView(), Effect::beginReveal(itemX)}));
    EXPECT_EQ(state.strip(), StripState::closed());
    EXPECT_EQ(state.reveal(), RevealState::revealing(itemX));
}

TEST_F(ItemClickedInStrip, isIgnoredWhileAnotherRevealRunsAndLeavesTheReopenedStripOpen) {
    startRevealOf(itemX, groupA);
    openStripOf(groupA);
    expectIgnored(Event::itemClickedInStrip(itemY, groupA));
    EXPECT_EQ(state.strip(), StripState::open(groupA));
}

TEST_F(ItemClickedInStrip, isIgnoredUnlessTheRowsOwnGroupHasItsStripOpen) {
    expectIgnored(Event::itemClickedInStrip(itemX, groupA));
    openStripOf(groupA);
    expectIgnored(Event::itemClickedInStrip(itemX, groupB));
}

// revealDidFinish

using RevealDidFinish = SessionMachine;

TEST_F(RevealDidFinish, forAnotherItemKeepsTheRunningRevealAndForItsOwnItemReturnsToIdle) {
    expectIgnored(Event::revealDidFinish(itemX));
    startRevealOf(itemX, groupA);
    expectIgnored(Event::revealDidFinish(itemY));
    EXPECT_EQ(state.handle(Event::revealDidFinish(itemX)), Effects{});
    EXPECT_EQ(state.reveal(), RevealState::idle());
}

// outsideClick and escapeKeyPressed

class StripDismissal : public SessionMachine, public ::testing::WithParamInterface<Event> {};

TEST_P(StripDismissal, closesAnOpenStripWhateverGroupItShows) {
    openStripOf(groupB);
    EXPECT_EQ(state.handle(GetParam()), Effects{Effect::closeStripView()});
    EXPECT_EQ(state.strip(), StripState::closed());
}

TEST_P(StripDismissal, closesTheSearchWhenItIsShown) {
    openSearch();
    EXPECT_EQ(state.handle(GetParam()), Effects{Effect::closeSearchView()});
    EXPECT_EQ(state.search(), SearchState::closed);
}

TEST_P(StripDismissal, isIgnoredWhenTheStripIsClosed) {
    expectIgnored(GetParam());
}

TEST_P(StripDismissal, leavesARunningRevealAndShowAllAlone) {
    startRevealOf(itemX, groupA);
    startShowAll();
    openStripOf(groupA);
    state.handle(GetParam());
    EXPECT_EQ(state.reveal(), RevealState::revealing(itemX));
    EXPECT_EQ(state.showAll(), ShowAllState::active);
}

INSTANTIATE_TEST_SUITE_P(OutsideClickAndEscape, StripDismissal,
                         ::testing::Values(Event::outsideClick(), Event::escapeKeyPressed()),
                         eventName);

// showAllRequested

using ShowAllRequested = SessionMachine;

TEST_F(ShowAllRequested, closesEvenAClosedStripThenRevealsAndSchedulesExactlyThirtySeconds) {
    EXPECT_EQ(state.handle(Event::showAllRequested()),
              (Effects{Effect::closeStripView(), Effect::revealRegion(),
                       Effect::scheduleShowAllExpiry(30s)}));
    EXPECT_EQ(state.showAll(), ShowAllState::active);
}

TEST_F(ShowAllRequested, closesAnOpenStripAndLeavesARunningRevealAlone) {
    startRevealOf(itemX, groupA);
    openStripOf(groupB);
    EXPECT_EQ(state.handle(Event::showAllRequested()).front(), Effect::closeStripView());
    EXPECT_EQ(state.strip(), StripState::closed());
    EXPECT_EQ(state.reveal(), RevealState::revealing(itemX));
}

TEST_F(ShowAllRequested, whileActiveIsIgnoredSoTheWindowIsNotRestarted) {
    startShowAll();
    openStripOf(groupA);
    expectIgnored(Event::showAllRequested());
}

// findItemRequested and itemChosenInSearch

using ItemSearch = SessionMachine;

TEST_F(ItemSearch, takesAnOpenStripDownBeforeOpeningAndAskingAgainClosesIt) {
    openStripOf(groupA);
    EXPECT_EQ(state.handle(Event::findItemRequested()),
              (Effects{Effect::closeStripView(), Effect::openSearchView()}));
    EXPECT_EQ(state.strip(), StripState::closed());
    EXPECT_EQ(state.handle(Event::findItemRequested()), Effects{Effect::closeSearchView()});
    EXPECT_EQ(state.search(), SearchState::closed);
}

TEST_F(ItemSearch, aGroupIconOrShowAllTakesTheSearchDownFirst) {
    openSearch();
    EXPECT_EQ(state.handle(Event::groupIconClicked(groupA)),
              (Effects{Effect::closeSearchView(), Effect::openStripView(groupA)}));
    state.handle(Event::findItemRequested());
    EXPECT_EQ(state.handle(Event::showAllRequested()),
              (Effects{Effect::closeStripView(), Effect::closeSearchView(), Effect::revealRegion(),
                       Effect::scheduleShowAllExpiry(30s)}));
    EXPECT_EQ(state.search(), SearchState::closed);
}

TEST_F(ItemSearch, aChosenItemClosesTheSearchThenIsRevealedOneAtATime) {
    expectIgnored(Event::itemChosenInSearch(itemX));
    openSearch();
    EXPECT_EQ(state.handle(Event::itemChosenInSearch(itemX)),
              (Effects{Effect::closeSearchView(), Effect::beginReveal(itemX)}));
    EXPECT_EQ(state.reveal(), RevealState::revealing(itemX));
    openSearch();
    expectIgnored(Event::itemChosenInSearch(itemY));
    openStripOf(groupA);
    expectIgnored(Event::itemClickedInStrip(itemY, groupA));
}

// showAllExpired and showAllCancelledEarly

class ShowAllEnd : public SessionMachine, public ::testing::WithParamInterface<Event> {};

TEST_P(ShowAllEnd, hidesTheRegionBeforeCancellingTheTimer) {
    startShowAll();
    EXPECT_EQ(state.handle(GetParam()),
              (Effects{Effect::hideRegion(), Effect::cancelShowAllExpiry()}));
    EXPECT_EQ(state.showAll(), ShowAllState::inactive);
}

// Covers a stale expiry after an early cancel as well.
TEST_P(ShowAllEnd, isIgnoredWhileShowAllIsInactive) {
    expectIgnored(GetParam());
    startShowAll();
    state.handle(Event::showAllCancelledEarly());
    expectIgnored(GetParam());
}

TEST_P(ShowAllEnd, leavesTheStripAndARunningRevealAlone) {
    startRevealOf(itemX, groupA);
    startShowAll();
    openStripOf(groupB);
    state.handle(GetParam());
    EXPECT_EQ(state.strip(), StripState::open(groupB));
    EXPECT_EQ(state.reveal(), RevealState::revealing(itemX));
}

INSTANTIATE_TEST_SUITE_P(ExpiredAndCancelledEarly, ShowAllEnd,
                         ::testing::Values(Event::showAllExpired(), Event::showAllCancelledEarly()),
                         eventName);

} // namespace
