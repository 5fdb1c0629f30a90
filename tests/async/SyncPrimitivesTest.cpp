#include "async/Completion.h"
#include "async/Doorbell.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "async/WaiterQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace corvel;

namespace {

async::Task<void> waitInLine(async::WaiterQueue* queue, int id, std::vector<int>* order,
                             std::vector<bool>* results) {
    bool resumedNormally = co_await queue->wait();
    order->push_back(id);
    results->push_back(resumedNormally);
}

async::Task<void> awaitCompletion(std::shared_ptr<async::Completion<std::string>> completion,
                                  std::string* out) {
    *out = co_await completion->wait();
}

async::Task<void> sleepWithBell(async::Doorbell* bell, async::ManualLoop* loop,
                                 std::vector<async::Duration>* woke) {
    const auto start = loop->now();
    co_await async::sleepFor(std::chrono::seconds(1), *bell);
    woke->push_back(loop->now() - start);
}

} // namespace

TEST(WaiterQueue, resumesWaitersInArrivalOrder) {
    async::ManualLoop loop;
    async::WaiterQueue queue;
    std::vector<int> order;
    std::vector<bool> results;
    for (int id : {3, 1, 2})
        async::spawn(loop, waitInLine(&queue, id, &order, &results));
    loop.runUntilIdle();
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_TRUE(queue.resumeOne());
    loop.runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{3}));
    EXPECT_EQ(queue.resumeAll(), 2u);
    loop.runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(results, (std::vector<bool>{true, true, true}));
}

TEST(WaiterQueue, aCancelledWaiterLeavesAtOnceAndIsSkipped) {
    async::ManualLoop loop;
    async::WaiterQueue queue;
    std::vector<int> order;
    std::vector<bool> results;
    auto first = async::spawn(loop, waitInLine(&queue, 1, &order, &results));
    async::spawn(loop, waitInLine(&queue, 2, &order, &results));
    loop.runUntilIdle();
    first.cancel();
    loop.runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{1}));
    EXPECT_EQ(results, (std::vector<bool>{false}));
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_TRUE(queue.resumeOne()) << "the cancelled waiter must not absorb the wake-up";
    loop.runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Completion, theFirstAnswerWinsLaterOnesAreIgnoredAndAnEarlyOneIsNotLost) {
    async::ManualLoop loop;
    auto completion = std::make_shared<async::Completion<std::string>>();
    std::string out;
    async::spawn(loop, awaitCompletion(completion, &out));
    loop.runUntilIdle();
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(completion->complete("first"));
    EXPECT_FALSE(completion->complete("second"));
    loop.runUntilIdle();
    EXPECT_EQ(out, "first");

    auto early = std::make_shared<async::Completion<std::string>>();
    early->complete("early");
    async::spawn(loop, awaitCompletion(early, &out));
    loop.runUntilIdle();
    EXPECT_EQ(out, "early");
}

TEST(Doorbell, endsASleepAtOnceAndARingWhileNobodySleepsEndsTheNextOneUntilTaken) {
    using namespace std::chrono_literals;
    async::ManualLoop loop;
    async::Doorbell bell;
    std::vector<async::Duration> woke;
    async::spawn(loop, sleepWithBell(&bell, &loop, &woke));
    loop.advance(300ms);
    bell.ring();
    loop.runUntilIdle();
    EXPECT_EQ(woke, (std::vector<async::Duration>{300ms}));

    async::spawn(loop, sleepWithBell(&bell, &loop, &woke));
    loop.runUntilIdle();
    EXPECT_EQ(woke, (std::vector<async::Duration>{300ms, 0ms})) << "the ring was not taken";

    EXPECT_TRUE(bell.takeRing());
    EXPECT_FALSE(bell.takeRing());
    async::spawn(loop, sleepWithBell(&bell, &loop, &woke));
    loop.advance(1s);
    EXPECT_EQ(woke, (std::vector<async::Duration>{300ms, 0ms, 1s}));
}
