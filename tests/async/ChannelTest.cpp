#include "async/Channel.h"

#include "async/Completion.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

struct Event {
    int producer;
    int sequence;
};

async::Task<void> consumeAll(std::shared_ptr<async::Channel<Event>> channel,
                             std::vector<std::vector<int>>* received) {
    while (auto event = co_await channel->receive()) {
        (*received)[event->producer].push_back(event->sequence);
    }
}

async::Task<void> collect(std::shared_ptr<async::Channel<int>> channel, std::vector<int>* out,
                          bool* ended) {
    while (auto value = co_await channel->receive())
        out->push_back(*value);
    *ended = true;
}

} // namespace

TEST(Channel, fourProducerThreadsDeliverEveryEventExactlyOnceInPerProducerOrder) {
    constexpr int producers = 4;
    constexpr int perProducer = 10'000;
    async::ManualLoop loop;
    auto channel = std::make_shared<async::Channel<Event>>();
    std::vector<std::vector<int>> received(producers);
    auto consumer = async::spawn(loop, consumeAll(channel, &received));

    std::vector<std::thread> threads;
    for (int p = 0; p < producers; ++p) {
        threads.emplace_back([channel, p] {
            for (int i = 0; i < perProducer; ++i)
                channel->send(Event{p, i});
        });
    }
    std::thread closer([&] {
        for (auto& thread : threads)
            thread.join();
        channel->close();
    });
    ASSERT_TRUE(loop.runUntil([&] { return consumer.isDone(); }, 30s));
    closer.join();

    for (int p = 0; p < producers; ++p) {
        ASSERT_EQ(received[p].size(), static_cast<size_t>(perProducer)) << "producer " << p;
        for (int i = 0; i < perProducer; ++i)
            ASSERT_EQ(received[p][i], i) << "producer " << p;
    }
}

TEST(Channel, valuesSentBeforeCloseAreDrainedThenTheConsumerEnds) {
    async::ManualLoop loop;
    auto channel = std::make_shared<async::Channel<int>>();
    std::vector<int> out;
    bool ended = false;
    channel->send(1);
    channel->send(2);
    channel->close();
    EXPECT_FALSE(channel->send(3)) << "a closed channel refuses values instead of losing them";
    async::spawn(loop, collect(channel, &out, &ended));
    loop.runUntilIdle();
    EXPECT_EQ(out, (std::vector<int>{1, 2}));
    EXPECT_TRUE(ended);
}

TEST(Channel, aCancelledConsumerStopsWaiting) {
    async::ManualLoop loop;
    auto channel = std::make_shared<async::Channel<int>>();
    std::vector<int> out;
    bool ended = false;
    auto consumer = async::spawn(loop, collect(channel, &out, &ended));
    loop.runUntilIdle();
    EXPECT_FALSE(ended);
    consumer.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(channel->send(9)) << "the channel itself stays open for a later consumer";
}

namespace {

async::Task<void> receiveThenWaitAtTheGate(std::shared_ptr<async::Channel<int>> channel,
                                           std::shared_ptr<async::Completion<>> gate,
                                           std::atomic<int>* stage) {
    [[maybe_unused]] auto value = co_await channel->receive();
    stage->store(1);
    co_await gate->wait();
    stage->store(2);
}

struct RacingConsumer {
    std::shared_ptr<async::Channel<int>> channel = std::make_shared<async::Channel<int>>();
    std::shared_ptr<async::Completion<>> gate = std::make_shared<async::Completion<>>();
    std::atomic<int> stage{0};
    async::SpawnHandle handle;
};

} // namespace

// While consumers park one after another on the loop's thread, another thread
// sends each of them a value and cancels it. Whichever way each race goes, a
// consumer must be resumed exactly once: a second, stale resumption would run
// it on from its next wait (here: a gate that has not opened).
TEST(Channel, aConsumerCancelledWhileAValueArrivesIsResumedExactlyOnce) {
    constexpr int rounds = 200;
    constexpr int consumers = 64;
    async::ManualLoop loop;
    std::vector<std::unique_ptr<RacingConsumer>> racing;
    std::atomic<int> go{-1}, acted{-1};
    std::thread other([&] {
        for (int round = 0; round < rounds; ++round) {
            while (go.load() != round) {
            }
            for (auto& consumer : racing) {
                consumer->channel->send(round);
                consumer->handle.cancel();
            }
            acted.store(round);
        }
    });
    int resumedEarly = 0;
    for (int round = 0; round < rounds; ++round) {
        racing.clear();
        for (int i = 0; i < consumers; ++i) {
            auto consumer = std::make_unique<RacingConsumer>();
            consumer->handle =
                async::spawn(loop, receiveThenWaitAtTheGate(consumer->channel, consumer->gate,
                                                            &consumer->stage));
            racing.push_back(std::move(consumer));
        }
        go.store(round);
        loop.runUntilIdle();
        while (acted.load() != round)
            std::this_thread::yield();
        loop.runUntilIdle();
        for (auto& consumer : racing) {
            if (consumer->stage.load() == 2)
                ++resumedEarly;
            consumer->gate->complete();
        }
        loop.runUntilIdle();
        for (auto& consumer : racing)
            ASSERT_TRUE(consumer->handle.isDone());
    }
    other.join();
    EXPECT_EQ(resumedEarly, 0);
}
