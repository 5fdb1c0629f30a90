#include "async/Channel.h"
#include "async/Completion.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"

#include <coroutine>
#include <gtest/gtest.h>
#include <memory>

using namespace corvel;

namespace {

async::Task<void> receiveOne(std::shared_ptr<async::Channel<int>> channel) {
    auto value = co_await channel->receive();
    (void)value;
}

async::Task<void> waitFor(std::shared_ptr<async::Completion<>> completion) {
    co_await completion->wait();
}

/// A coroutine that runs on no executor, as one started outside spawn() does.
struct Unspawned {
    struct promise_type : async::detail::PromiseBase {
        Unspawned get_return_object() noexcept { return {}; }
        std::suspend_never initial_suspend() noexcept { return {}; }
        std::suspend_never final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
    };
};

Unspawned askForTheExecutor() {
    async::Executor& executor = co_await async::currentExecutor();
    (void)executor;
}

} // namespace

using MisuseDeathTest = ::testing::Test;

TEST_F(MisuseDeathTest, aSecondTaskWaitingOnAChannelStopsTheProcessWithAMessage) {
    EXPECT_DEATH(
        {
            async::ManualLoop loop;
            auto channel = std::make_shared<async::Channel<int>>();
            async::spawn(loop, receiveOne(channel));
            async::spawn(loop, receiveOne(channel));
            loop.runUntilIdle();
        },
        "Corvel: a second task waits on a Channel");
}

TEST_F(MisuseDeathTest, aSecondTaskWaitingOnACompletionStopsTheProcessWithAMessage) {
    EXPECT_DEATH(
        {
            async::ManualLoop loop;
            auto completion = std::make_shared<async::Completion<>>();
            async::spawn(loop, waitFor(completion));
            async::spawn(loop, waitFor(completion));
            loop.runUntilIdle();
        },
        "Corvel: a second task waits on a Completion");
}

TEST_F(MisuseDeathTest, askingForTheExecutorOutsideASpawnedTaskStopsTheProcessWithAMessage) {
    EXPECT_DEATH(askForTheExecutor(), "Corvel: currentExecutor\\(\\) was awaited outside");
}

TEST(Misuse, aNewConsumerMayWaitOnceTheFirstWasCancelled) {
    async::ManualLoop loop;
    auto channel = std::make_shared<async::Channel<int>>();
    auto first = async::spawn(loop, receiveOne(channel));
    loop.runUntilIdle();
    first.cancel();
    loop.runUntilIdle();
    auto second = async::spawn(loop, receiveOne(channel));
    loop.runUntilIdle();
    channel->send(7);
    loop.runUntilIdle();
    EXPECT_TRUE(second.isDone());
}
