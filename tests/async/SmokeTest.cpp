#include "async/Channel.h"
#include "async/Completion.h"
#include "async/Hop.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"
#include "async/WaiterQueue.h"
#include "support/RunTask.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;

namespace {
async::Task<int> answer() { co_return 42; }
async::Task<int> slow(async::ManualLoop*) {
    co_await async::sleepFor(100ms);
    co_return 7;
}
} // namespace

TEST(Smoke, compiles) {
    async::ManualLoop loop;
    EXPECT_EQ(test::runTask(loop, answer()), 42);
    int got = 0;
    auto h = async::spawn(loop, [](async::ManualLoop* l, int* out) -> async::Task<void> {
        *out = co_await slow(l);
    }(&loop, &got));
    loop.runUntilIdle();
    EXPECT_EQ(got, 0);
    loop.advance(100ms);
    EXPECT_EQ(got, 7);
    EXPECT_TRUE(h.isDone());
}
