// How late the main loop's timers fire on Qt's event loop: a timer due after
// 1.3 ms (and after 0.1 ms), measured from its due time until its work runs,
// on the continuous clock. The loop promises never early; how late is what a
// press pays once for every wait it makes. The thread loops' bare alarm, a
// timer descriptor and a poll with no event loop on top, is the floor: what
// the machine's scheduler alone costs each wake-up.
#include "app/QtLoop.h"
#include "async/ContinuousAlarm.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace corvel;
using namespace std::chrono_literals;

/// The mean and the worst lateness of a run, as the run's counters.
class Lateness {
  public:
    void add(std::chrono::nanoseconds late) {
        total_ += late;
        worst_ = std::max(worst_, late);
    }
    void report(benchmark::State& state) const {
        const double microseconds = std::chrono::duration<double, std::micro>(total_).count();
        state.counters["late_us"] =
            benchmark::Counter(microseconds, benchmark::Counter::kAvgIterations);
        state.counters["worst_late_us"] = std::chrono::duration<double, std::micro>(worst_).count();
    }

  private:
    std::chrono::nanoseconds total_{0};
    std::chrono::nanoseconds worst_{0};
};

void timerLateness(benchmark::State& state) {
    app::QtLoop loop;
    const auto delay = std::chrono::microseconds(state.range(0));
    Lateness lateness;
    for (auto _ : state) {
        bool fired = false;
        const auto due = loop.now() + delay;
        loop.after(delay, [&] {
            lateness.add(loop.now() - due);
            fired = true;
        });
        while (!fired)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    lateness.report(state);
}
BENCHMARK(timerLateness)->Arg(1300)->Arg(100)->Unit(benchmark::kMicrosecond)->UseRealTime();

void alarmLateness(benchmark::State& state) {
    async::ContinuousAlarm alarm;
    const auto delay = std::chrono::microseconds(state.range(0));
    Lateness lateness;
    for (auto _ : state) {
        const auto due = async::ContinuousClock::now() + delay;
        alarm.wait(due);
        lateness.add(async::ContinuousClock::now() - due);
    }
    lateness.report(state);
}
BENCHMARK(alarmLateness)->Arg(1300)->Arg(100)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
