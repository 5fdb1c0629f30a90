#pragma once

#include "async/Executor.h"

#include <functional>
#include <memory>
#include <optional>

class QObject;

namespace corvel::app {

/// The main loop's one platform timer, on Qt's event loop: calls back on the
/// main thread once the continuous clock has reached the time it is armed
/// for, never before, and as close after as the platform allows: a timer
/// descriptor watched by Qt on Linux (nanoseconds), Qt's nanosecond timer
/// from Qt 6.8, whole milliseconds rounded up on older Qt elsewhere.
/// It keeps calling back inside a nested event loop that the callback runs.
///
/// Main thread only: build, arm and destroy it there. Destroying it drops a
/// pending call.
class MainLoopAlarm {
  public:
    /// `onDue` runs on the main thread as one of Qt's events.
    explicit MainLoopAlarm(std::function<void()> onDue);
    ~MainLoopAlarm();
    MainLoopAlarm(const MainLoopAlarm&) = delete;
    MainLoopAlarm& operator=(const MainLoopAlarm&) = delete;

    /// Calls back at `due` (at once when it has passed), replacing the time
    /// armed before; none disarms.
    void arm(std::optional<async::TimePoint> due);

  private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};

} // namespace corvel::app
