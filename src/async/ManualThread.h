#pragma once

#include "async/Executor.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace corvel::async {

class ManualLoop;

/// A background executor for tests: a real thread of its own that runs in
/// lockstep with a ManualLoop, on the loop's virtual clock. The loop lets it
/// run before each item of its own and waits until it rests (nothing to run,
/// or held by holdThread), so the two never run at once and a test is as
/// deterministic as on one loop; but work held here (a call into a hung
/// application) holds only this thread while the loop, and time, go on.
///
/// post() and after() are thread-safe; timers are the loop's timers and post
/// here when due. Build it after the loop and destroy it first, from the
/// loop's thread: destruction runs what was posted before, then stops.
class ManualThread final : public Executor {
  public:
    explicit ManualThread(ManualLoop& loop);
    ~ManualThread() override;

    void post(std::function<void()> work) override;
    TimerHandle after(Duration delay, std::function<void()> work) override;
    TimePoint now() const override;
    /// Holds this thread until the loop's clock has moved `held` on; the loop
    /// counts it as resting meanwhile.
    void holdThread(Duration held) override;

    /// The loop's side: returns once this thread rests.
    void waitUntilResting();

  private:
    struct State;
    void run();
    bool releasePendingWork();

    ManualLoop& loop_;
    std::shared_ptr<State> state_;
    std::thread thread_;
};

} // namespace corvel::async
