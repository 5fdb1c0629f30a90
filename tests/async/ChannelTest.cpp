#include "async/Channel.h"

#include "async/ManualLoop.h"
#include "async/Spawn.h"

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
