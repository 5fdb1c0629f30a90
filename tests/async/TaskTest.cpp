#include "async/Task.h"

#include "async/ManualLoop.h"
#include "support/RunTask.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace corvel;

namespace {

async::Task<int> recordStart(bool* started) {
    *started = true;
    co_return 1;
}

async::Task<void> throwDeep() {
    throw std::runtime_error("from the bottom");
    co_return;
}
async::Task<int> levelTwo() {
    co_await throwDeep();
    co_return 2;
}
async::Task<int> levelOne() {
    co_return co_await levelTwo();
}
async::Task<int> top() {
    co_return co_await levelOne();
}

async::Task<int> immediate(int value) {
    co_return value;
}

async::Task<long> sumOfManyImmediateAwaits(int count) {
    long sum = 0;
    for (int i = 0; i < count; ++i)
        sum += co_await immediate(1);
    co_return sum;
}

async::Task<int> nestedChain(int depth) {
    if (depth == 0)
        co_return 0;
    co_return 1 + co_await nestedChain(depth - 1);
}

} // namespace

TEST(Task, doesNotStartUntilAwaited) {
    async::ManualLoop loop;
    bool started = false;
    {
        auto task = recordStart(&started);
        loop.runUntilIdle();
        EXPECT_FALSE(started);
    }
    EXPECT_FALSE(started) << "a task destroyed without being awaited never runs";

    EXPECT_EQ(test::runTask(loop, recordStart(&started)), 1);
    EXPECT_TRUE(started);
}

TEST(Task, anExceptionThrownThreeAwaitsDeepReachesTheTop) {
    async::ManualLoop loop;
    try {
        test::runTask(loop, top());
        FAIL() << "the exception was swallowed";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "from the bottom");
    }
}

TEST(Task, aLongChainOfSynchronousCompletionsDoesNotOverflowTheStack) {
#if defined(__SANITIZE_THREAD__)
    // ThreadSanitizer's instrumentation keeps the transfer from being a tail
    // call; the property is checked by the other builds.
    GTEST_SKIP();
#endif
    async::ManualLoop loop;
    EXPECT_EQ(test::runTask(loop, sumOfManyImmediateAwaits(1'000'000)), 1'000'000);
    EXPECT_EQ(test::runTask(loop, nestedChain(50'000)), 50'000);
}
