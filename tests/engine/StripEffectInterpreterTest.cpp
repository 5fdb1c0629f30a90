#include "engine/StripEffectInterpreter.h"

#include "ImmediateClock.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "engine/SystemRevealAllClock.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

using namespace corvel;
using namespace std::chrono_literals;
using Event = SessionState::Event;
using Effect = SessionState::Effect;
using Effects = std::vector<Effect>;
using Operation = test::ScriptedBackend::Operation;
using Journal = std::vector<std::string>;

namespace {

/// Writes the Strip requests into the same journal as the backend's calls, so
/// a test sees the order across both collaborators.
class RecordingDelegate final : public StripEffectInterpreterDelegate, public ItemSearchDelegate {
  public:
    RecordingDelegate(std::shared_ptr<Journal> journal,
                      std::unordered_map<GroupID, std::string> names)
        : journal_(std::move(journal)), names_(std::move(names)) {}

    void stripEffectInterpreter(StripEffectInterpreter&, const GroupID& group) override {
        journal_->push_back("open " + names_.at(group));
    }
    void stripEffectInterpreterDidRequestCloseStrip(StripEffectInterpreter&) override {
        journal_->push_back("close");
    }
    void stripEffectInterpreterDidRequestOpenSearch(StripEffectInterpreter&) override {
        journal_->push_back("open search");
    }
    void stripEffectInterpreterDidRequestCloseSearch(StripEffectInterpreter&) override {
        journal_->push_back("close search");
    }

  private:
    std::shared_ptr<Journal> journal_;
    std::unordered_map<GroupID, std::string> names_;
};

ObservedItem hiddenItem(const std::string& title) {
    return ObservedItem{BackendItemToken(Uuid::random()), ItemIdentity{"com.example.tools", title},
                        true, std::nullopt};
}

// Stores what handle() yielded once the spawned call has finished.
async::Task<void> handleInto(std::shared_ptr<StripEffectInterpreter> interpreter, Event event,
                             std::optional<Effects>* out) {
    auto handling = interpreter->handle(event);
    out->emplace(co_await std::move(handling));
}

class StripEffectInterpreterTest : public ::testing::Test {
  protected:
    StripEffectInterpreterTest() {
        backend->onCall([journal = journal](const test::ScriptedBackend::Call& call) {
            std::ostringstream name;
            name << call.operation;
            journal->push_back(name.str());
        });
        build(std::make_shared<SystemRevealAllClock>());
    }

    void build(std::shared_ptr<RevealAllClock> clock) {
        auto liveItems = live;
        interpreter = StripEffectInterpreter::create(
            backend,
            [liveItems](const ItemID& item) -> std::optional<ObservedItem> {
                auto found = liveItems->find(item);
                if (found == liveItems->end())
                    return std::nullopt;
                return found->second;
            },
            delegate, std::move(clock), loop, log);
    }

    Effects handleNow(const Event& event) {
        return test::runTask(loop, interpreter->handle(event));
    }
    async::SpawnHandle handleLater(const Event& event, std::optional<Effects>* out) {
        return async::spawn(loop, handleInto(interpreter, event, out));
    }

    /// Makes the backend's next call of `operation` fail with something that is
    /// not a BackendError, as a fault in the backend would.
    void breakNext(Operation operation) {
        auto broken = std::make_shared<bool>(true);
        backend->onCall([operation, broken](const test::ScriptedBackend::Call& call) {
            if (call.operation == operation && std::exchange(*broken, false))
                throw std::runtime_error("broken");
        });
    }

    async::ManualLoop loop;
    test::MemoryLog log;
    std::shared_ptr<test::ScriptedBackend> backend = std::make_shared<test::ScriptedBackend>();
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    GroupID groupA = GroupID::random();
    GroupID groupB = GroupID::random();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>(
        journal, std::unordered_map<GroupID, std::string>{{groupA, "A"}, {groupB, "B"}});
    ItemID itemX = ItemID::random();
    ItemID itemY = ItemID::random();
    ObservedItem observedX = hiddenItem("Weather");
    ObservedItem observedY = hiddenItem("Battery");
    std::shared_ptr<std::unordered_map<ItemID, ObservedItem>> live =
        std::make_shared<std::unordered_map<ItemID, ObservedItem>>(
            std::unordered_map<ItemID, ObservedItem>{{itemX, observedX}, {itemY, observedY}});
    std::shared_ptr<StripEffectInterpreter> interpreter;
};

// The Strip

TEST_F(StripEffectInterpreterTest, groupIconClicksOpenRetargetAndCloseTheStripThroughTheDelegate) {
    handleNow(Event::groupIconClicked(groupA));
    handleNow(Event::groupIconClicked(groupB));
    handleNow(Event::groupIconClicked(groupB));
    EXPECT_EQ(*journal, (Journal{"open A", "open B", "close"}));
    EXPECT_TRUE(backend->calls().empty());
}

TEST_F(StripEffectInterpreterTest, aReleasedDelegateChangesNothingButTheViewCalls) {
    delegate.reset();
    EXPECT_EQ(handleNow(Event::groupIconClicked(groupA)), Effects{Effect::openStripView(groupA)});
    EXPECT_EQ(interpreter->state().strip(), StripState::open(groupA));
    EXPECT_EQ(handleNow(Event::itemClickedInStrip(itemX, groupA)),
              (Effects{Effect::closeStripView(), Effect::beginReveal(itemX)}));
    EXPECT_EQ(*journal, Journal{"press"});
}

TEST_F(StripEffectInterpreterTest, theSearchTakesTheStripDownAndItsChosenItemIsPressedLikeARow) {
    const ItemID found = ItemID::random();
    const ObservedItem observedFound = hiddenItem("Harbor VPN");
    auto inStrip = live;
    interpreter = StripEffectInterpreter::create(
        backend,
        StripEffectInterpreter::eitherOf(
            [=](const ItemID& item) -> std::optional<ObservedItem> {
                return item == found ? std::optional(observedFound) : std::nullopt;
            },
            [inStrip](const ItemID& item) -> std::optional<ObservedItem> {
                auto entry = inStrip->find(item);
                return entry == inStrip->end() ? std::nullopt : std::optional(entry->second);
            }),
        delegate, std::make_shared<SystemRevealAllClock>(), loop, log);
    interpreter->setSearchDelegate(delegate);

    handleNow(Event::groupIconClicked(groupA));
    handleNow(Event::findItemRequested());
    handleNow(Event::itemChosenInSearch(found));
    handleNow(Event::groupIconClicked(groupA));
    handleNow(Event::itemClickedInStrip(itemX, groupA));

    EXPECT_EQ(*journal, (Journal{"open A", "close", "open search", "close search", "press",
                                 "open A", "close", "press"}));
    ASSERT_EQ(backend->count(Operation::press), 2u);
    EXPECT_EQ(backend->calls()[0].item, observedFound);
    EXPECT_EQ(backend->calls()[1].item, observedX);
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
}

// Reveals

TEST_F(StripEffectInterpreterTest, aRowClickClosesTheStripThenAwaitsTheWholePressOfItsItem) {
    handleNow(Event::groupIconClicked(groupA));
    journal->clear();
    auto press = backend->holdNext(Operation::press);
    std::optional<Effects> effects;
    handleLater(Event::itemClickedInStrip(itemX, groupA), &effects);
    loop.runUntilIdle();

    EXPECT_EQ(*journal, (Journal{"close", "press"}));
    EXPECT_FALSE(effects.has_value());
    EXPECT_EQ(interpreter->state().reveal(), RevealState::revealing(itemX));

    press.open();
    loop.runUntilIdle();
    EXPECT_EQ(effects, (Effects{Effect::closeStripView(), Effect::beginReveal(itemX)}));
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
    ASSERT_EQ(backend->count(Operation::press), 1u);
    EXPECT_EQ(backend->calls().front().item, observedX);
}

TEST_F(StripEffectInterpreterTest, whileAPressRunsAStripOpensButItsRowClicksAreIgnored) {
    handleNow(Event::groupIconClicked(groupA));
    auto press = backend->holdNext(Operation::press);
    std::optional<Effects> first;
    handleLater(Event::itemClickedInStrip(itemX, groupA), &first);
    loop.runUntilIdle();
    journal->clear();

    EXPECT_EQ(handleNow(Event::groupIconClicked(groupA)), Effects{Effect::openStripView(groupA)});
    EXPECT_EQ(handleNow(Event::itemClickedInStrip(itemY, groupA)), Effects{});
    EXPECT_EQ(*journal, Journal{"open A"});

    press.open();
    loop.runUntilIdle();
    EXPECT_EQ(backend->count(Operation::press), 1u);
    EXPECT_EQ(interpreter->state().strip(), StripState::open(groupA));
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
}

TEST_F(StripEffectInterpreterTest, aLookupMissEndsTheRevealAtOnceWithoutTouchingTheBackend) {
    live->erase(itemX);
    handleNow(Event::groupIconClicked(groupA));
    journal->clear();
    handleNow(Event::itemClickedInStrip(itemX, groupA));
    EXPECT_EQ(*journal, Journal{"close"});
    EXPECT_TRUE(backend->calls().empty());
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
}

// A menu that never opened is said in the log, by the item's name; other
// failed presses are dropped silently.
TEST_F(StripEffectInterpreterTest, aThrowingPressStillReturnsTheMachineToIdle) {
    backend->failNext(Operation::press, BackendError::pressUnconfirmed());
    handleNow(Event::groupIconClicked(groupA));
    EXPECT_NO_THROW(handleNow(Event::itemClickedInStrip(itemX, groupA)));
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Corvel: Weather did not open its menu"});

    backend->failNext(Operation::press, BackendError::itemNoLongerExists());
    handleNow(Event::groupIconClicked(groupA));
    EXPECT_NO_THROW(handleNow(Event::itemClickedInStrip(itemX, groupA)));
    EXPECT_EQ(backend->count(Operation::press), 2u);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(StripEffectInterpreterTest, anUnexpectedFailureEndsTheRevealAndThenReachesTheSender) {
    interpreter = StripEffectInterpreter::create(
        backend,
        [](const ItemID&) -> std::optional<ObservedItem> { throw std::runtime_error("broken"); },
        delegate, std::make_shared<SystemRevealAllClock>(), loop, log);
    handleNow(Event::groupIconClicked(groupA));
    EXPECT_THROW(handleNow(Event::itemClickedInStrip(itemX, groupA)), std::runtime_error);
    EXPECT_EQ(interpreter->state().reveal(), RevealState::idle());
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Corvel: beginReveal failed unexpectedly \u2014 broken"});
}

// Show-all

TEST_F(StripEffectInterpreterTest, showAllStartsItsTimerOnlyAfterTheRegionIsRevealed) {
    auto reveal = backend->holdNext(Operation::revealRegion);
    std::optional<Effects> effects;
    handleLater(Event::showAllRequested(), &effects);
    loop.runUntilIdle();
    EXPECT_EQ(*journal, (Journal{"close", "revealRegion"}));
    EXPECT_FALSE(interpreter->revealAllCoordinator().hasPendingExpiry());

    reveal.open();
    loop.runUntilIdle();
    EXPECT_TRUE(interpreter->revealAllCoordinator().hasPendingExpiry());
    EXPECT_EQ(effects->back(), Effect::scheduleShowAllExpiry(30s));
}

TEST_F(StripEffectInterpreterTest,
       withAClockThatReturnsAtOnceShowAllRevealsThenHidesAndLeavesNoTimer) {
    build(std::make_shared<test::ImmediateClock>());
    handleNow(Event::showAllRequested());
    loop.runUntilIdle();
    EXPECT_EQ(*journal, (Journal{"close", "revealRegion", "hideRegion"}));
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
    EXPECT_FALSE(interpreter->revealAllCoordinator().hasPendingExpiry());
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
}

TEST_F(StripEffectInterpreterTest, theWindowHidesTheRegionAfterThirtySecondsEvenIfRevealingFailed) {
    backend->failNext(Operation::revealRegion, BackendError::underlying("no spacer"));
    handleNow(Event::showAllRequested());
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::active);
    loop.advance(30s - 1ms);
    EXPECT_EQ(backend->count(Operation::hideRegion), 0u);
    loop.advance(1ms);
    EXPECT_EQ(backend->count(Operation::hideRegion), 1u);
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
    EXPECT_FALSE(interpreter->revealAllCoordinator().hasPendingExpiry());
}

TEST_F(StripEffectInterpreterTest, aRevealThatFailsUnexpectedlyStillGetsItsTimerLogsAndThrows) {
    breakNext(Operation::revealRegion);
    EXPECT_THROW(handleNow(Event::showAllRequested()), std::runtime_error);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Corvel: revealRegion failed unexpectedly \u2014 broken"});
    EXPECT_TRUE(interpreter->revealAllCoordinator().hasPendingExpiry());
    loop.advance(30s);
    EXPECT_EQ(backend->count(Operation::hideRegion), 1u);
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
}

TEST_F(StripEffectInterpreterTest, aHideThatFailsUnexpectedlyStillEndsTheWindowLogsAndThrows) {
    handleNow(Event::showAllRequested());
    breakNext(Operation::hideRegion);
    EXPECT_THROW(handleNow(Event::showAllCancelledEarly()), std::runtime_error);
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
    EXPECT_FALSE(interpreter->revealAllCoordinator().hasPendingExpiry());

    breakNext(Operation::hideRegion);
    handleNow(Event::showAllRequested());
    loop.advance(30s);
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
    EXPECT_FALSE(interpreter->revealAllCoordinator().hasPendingExpiry());
}

TEST_F(StripEffectInterpreterTest, aShowAllRequestedWhileTheLastWindowHidesKeepsItsOwnTimer) {
    handleNow(Event::showAllRequested());
    auto hide = backend->holdNext(Operation::hideRegion);
    loop.advance(30s);
    ASSERT_TRUE(hide.isReached());
    handleNow(Event::showAllRequested());
    hide.open();
    loop.runUntilIdle();
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::active);
    EXPECT_TRUE(interpreter->revealAllCoordinator().hasPendingExpiry());

    loop.advance(30s);
    EXPECT_EQ(backend->count(Operation::hideRegion), 2u);
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
}

TEST_F(StripEffectInterpreterTest, anEarlyCancelStopsItsTimerAtOnceAndHidesOnce) {
    handleNow(Event::showAllRequested());
    auto hide = backend->holdNext(Operation::hideRegion);
    std::optional<Effects> cancelled;
    handleLater(Event::showAllCancelledEarly(), &cancelled);
    loop.runUntilIdle();
    ASSERT_TRUE(hide.isReached());
    EXPECT_FALSE(interpreter->revealAllCoordinator().hasPendingExpiry());
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
    hide.open();
    loop.runUntilIdle();
    loop.advance(60s);
    EXPECT_EQ(backend->count(Operation::hideRegion), 1u);
    EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive);
}

// The old window's timer comes due while its hide is still out and the new
// window is still revealing: it must neither end the new window nor leave it
// without a timer, whichever of the two backend calls comes back first.
TEST_F(StripEffectInterpreterTest, anOldWindowsTimerFiringIntoANewWindowIsDropped) {
    for (bool hideReturnsFirst : {true, false}) {
        build(std::make_shared<SystemRevealAllClock>());
        backend->clearCalls();
        handleNow(Event::showAllRequested());
        loop.advance(29s);
        auto hide = backend->holdNext(Operation::hideRegion);
        std::optional<Effects> cancelled, requested;
        handleLater(Event::showAllCancelledEarly(), &cancelled);
        loop.runUntilIdle();
        auto reveal = backend->holdNext(Operation::revealRegion);
        handleLater(Event::showAllRequested(), &requested);
        loop.advance(2s); // past the old window's thirty seconds
        if (hideReturnsFirst) {
            hide.open();
            loop.runUntilIdle();
        }
        reveal.open();
        loop.runUntilIdle();
        hide.open();
        loop.runUntilIdle();
        EXPECT_EQ(backend->count(Operation::hideRegion), 1u) << hideReturnsFirst;
        EXPECT_EQ(interpreter->state().showAll(), ShowAllState::active) << hideReturnsFirst;
        EXPECT_TRUE(interpreter->revealAllCoordinator().hasPendingExpiry()) << hideReturnsFirst;

        loop.advance(30s);
        EXPECT_EQ(backend->count(Operation::hideRegion), 2u) << hideReturnsFirst;
        EXPECT_EQ(interpreter->state().showAll(), ShowAllState::inactive) << hideReturnsFirst;
    }
}

TEST_F(StripEffectInterpreterTest, aReleasedInterpreterEndsItsShowAllWindowSilently) {
    handleNow(Event::showAllRequested());
    interpreter.reset();
    loop.advance(60s);
    EXPECT_EQ(backend->count(Operation::hideRegion), 0u);
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
}

} // namespace
