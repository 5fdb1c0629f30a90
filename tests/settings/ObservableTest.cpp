#include "settings/Observable.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace corvel {
namespace {

using Calls = std::vector<std::string>;

TEST(ObservableTest, EverySetReachesTheObserversInSubscriptionOrderEvenWithAnEqualValue) {
    Observable<int> value(1);
    Calls calls;
    const auto first = value.observe([&](int v) { calls.push_back("first " + std::to_string(v)); });
    const auto second =
        value.observe([&](int v) { calls.push_back("second " + std::to_string(v)); });

    value.set(2);
    value.set(2);

    EXPECT_EQ(value.value(), 2);
    EXPECT_EQ(calls, (Calls{"first 2", "second 2", "first 2", "second 2"}));
}

TEST(ObservableTest, AnObserverStopsWithItsSubscriptionWhetherCancelledDestroyedOrReplaced) {
    auto value = std::make_unique<Observable<int>>();
    Calls calls;
    auto kept = value->observe([&](int) { calls.push_back("kept"); });
    {
        const auto dropped = value->observe([&](int) { calls.push_back("dropped"); });
    }
    Subscription moved = std::move(kept);
    value->set(1);
    moved = value->observe([&](int) { calls.push_back("replacement"); });
    value->set(2);
    moved.cancel();
    value->set(3);

    EXPECT_EQ(calls, (Calls{"kept", "replacement"}));
    EXPECT_FALSE(moved.isActive());
    EXPECT_EQ(value->observerCount(), 0u);

    // A subscription may outlive its observable.
    moved = value->observe([](int) {});
    value.reset();
    moved.cancel();
    EXPECT_FALSE(moved.isActive());
}

TEST(ObservableTest, AnObserverCancelledWhileNotifyingIsNotCalledAgainAndOthersStillAre) {
    Observable<int> value;
    Calls calls;
    Subscription self;
    Subscription later;
    self = value.observe([&](int v) {
        calls.push_back("self " + std::to_string(v));
        self.cancel();
    });
    const auto other = value.observe([&](int v) {
        calls.push_back("other " + std::to_string(v));
        later.cancel(); // one not yet called in this round
    });
    later = value.observe([&](int v) { calls.push_back("later " + std::to_string(v)); });

    value.set(1);
    value.set(2);

    EXPECT_EQ(calls, (Calls{"self 1", "other 1", "other 2"}));
}

TEST(ObservableTest, AChangeMadeWhileNotifyingArrivesInAFurtherRoundWithTheLatestValueLast) {
    Observable<int> value;
    Calls calls;
    const auto doubler = value.observe([&](int v) {
        calls.push_back("doubler " + std::to_string(v));
        if (v < 4)
            value.set(v * 2);
    });
    const auto watcher =
        value.observe([&](int v) { calls.push_back("watcher " + std::to_string(v)); });

    value.set(1);

    EXPECT_EQ(value.value(), 4);
    EXPECT_EQ(calls, (Calls{"doubler 1", "watcher 1", "doubler 2", "watcher 2", "doubler 4",
                            "watcher 4"}));
}

TEST(ObservableTest, SeveralChangesDuringOneRoundArriveAsOneRound) {
    Observable<int> value;
    std::vector<int> seen;
    bool changed = false;
    const auto changer = value.observe([&](int) {
        if (!std::exchange(changed, true)) {
            value.set(10);
            value.set(20);
        }
    });
    const auto watcher = value.observe([&](int v) { seen.push_back(v); });

    value.set(1);

    EXPECT_EQ(seen, (std::vector<int>{1, 20}));
}

TEST(ObservableTest, AnObserverAddedWhileNotifyingIsFirstCalledInTheNextRound) {
    Observable<int> value;
    Calls calls;
    std::optional<Subscription> added;
    const auto adder = value.observe([&](int) {
        if (!added)
            added = value.observe([&](int v) { calls.push_back("added " + std::to_string(v)); });
    });

    value.set(1);
    value.set(2);

    EXPECT_EQ(calls, (Calls{"added 2"}));
}

TEST(ObservableTest, AnObserverMayDestroyTheObservableAndTheRoundStillEnds) {
    auto value = std::make_unique<Observable<std::string>>("before");
    Calls calls;
    const auto destroyer = value->observe([&](const std::string& v) {
        calls.push_back("destroyer " + v);
        value.reset();
    });
    const auto after = value->observe([&](const std::string& v) { calls.push_back("after " + v); });

    value->set("now");

    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(calls, (Calls{"destroyer now", "after now"}));
}

TEST(ObservableTest, AnObserverThatThrowsLeavesTheObservableNotifyingLaterChanges) {
    Observable<int> value;
    std::vector<int> seen;
    const auto thrower = value.observe([](int v) {
        if (v == 1)
            throw std::runtime_error("screen failed");
    });
    const auto watcher = value.observe([&](int v) { seen.push_back(v); });

    EXPECT_THROW(value.set(1), std::runtime_error);
    value.set(2);

    EXPECT_EQ(seen, (std::vector<int>{2}));
}

} // namespace
} // namespace corvel
