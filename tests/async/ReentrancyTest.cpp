#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

/// The shape of the strip effect interpreter: each event changes the state at
/// once, then carries out its effects with suspensions in between; one effect
/// re-enters handle() directly, and a callback re-enters it from a new task
/// while the first call is still suspended.
class Machine {
  public:
    explicit Machine(async::ManualLoop& loop) : loop_(loop) {}

    async::Task<void> handle(std::string event) {
        ++generation_;
        log.push_back(event + ":transition@" + std::to_string(generation_));
        if (event == "press") {
            async::spawn(loop_, handle("callback"));
            co_await async::sleepFor(10ms);
            log.push_back("press:backend-returned@" + std::to_string(generation_));
            co_await handle("finished");
        }
        log.push_back(event + ":end");
    }

    std::vector<std::string> log;

  private:
    async::ManualLoop& loop_;
    int generation_ = 0;
};

async::Task<void> drive(Machine* machine) {
    co_await machine->handle("press");
}

} // namespace

TEST(Reentrancy, eventsHandledInTheGapsOfARunningHandlerSeeTheUpdatedStateInOrder) {
    async::ManualLoop loop;
    Machine machine(loop);
    auto handle = async::spawn(loop, drive(&machine));
    loop.advance(10ms);
    ASSERT_TRUE(handle.isDone());
    EXPECT_EQ(machine.log, (std::vector<std::string>{
                               "press:transition@1",
                               "callback:transition@2",
                               "callback:end",
                               "press:backend-returned@2",
                               "finished:transition@3",
                               "finished:end",
                               "press:end",
                           }));
}
