#include "app/MainLoopAlarm.h"

#include "async/ContinuousClock.h"

#include <QObject>
#include <QtGlobal>

#if defined(__linux__)
#include "async/ContinuousTimerDescriptor.h"

#include <QSocketNotifier>
#elif QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include "app/TimerArming.h"

#include <QChronoTimer>
#else
#include "app/TimerArming.h"

#include <QTimer>
#endif

namespace corvel::app {

#if defined(__linux__)

// Qt's own timers count whole milliseconds here; a timer descriptor on the
// continuous clock, which Qt watches like any other, ends on the nanosecond
// and needs no conversion between clocks.
struct MainLoopAlarm::Platform {
    async::ContinuousTimerDescriptor timer;
    QSocketNotifier notifier{timer.descriptor(), QSocketNotifier::Read};

    void arm(std::optional<async::TimePoint> due) { timer.arm(due); }
};

MainLoopAlarm::MainLoopAlarm(std::function<void()> onDue)
    : platform_(std::make_unique<Platform>()) {
    QObject::connect(&platform_->notifier, &QSocketNotifier::activated, &platform_->notifier,
                     [this, onDue = std::move(onDue)] {
                         // Taken first: the callback may arm it again.
                         platform_->timer.take();
                         onDue();
                     });
}

#else

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
using PlatformTimer = QChronoTimer;
using TimerInterval = std::chrono::nanoseconds;
#else
using PlatformTimer = QTimer;
using TimerInterval = std::chrono::milliseconds;
#endif

struct MainLoopAlarm::Platform {
    PlatformTimer timer;

    void arm(std::optional<async::TimePoint> due) {
        if (!due) {
            timer.stop();
            return;
        }
        const auto wait =
            TimerArming::waitFor(*due, async::ContinuousClock::now(), TimerInterval(1));
        timer.setInterval(std::chrono::duration_cast<TimerInterval>(wait));
        timer.start();
    }
};

MainLoopAlarm::MainLoopAlarm(std::function<void()> onDue)
    : platform_(std::make_unique<Platform>()) {
    platform_->timer.setSingleShot(true);
    platform_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&platform_->timer, &PlatformTimer::timeout, &platform_->timer,
                     std::move(onDue));
}

#endif

MainLoopAlarm::~MainLoopAlarm() = default;

void MainLoopAlarm::arm(std::optional<async::TimePoint> due) {
    platform_->arm(due);
}

} // namespace corvel::app
