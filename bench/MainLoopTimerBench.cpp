// How late the main loop's timers fire on Qt's event loop: a timer due after
// 1.3 ms (and after 0.1 ms), measured from its due time until its work runs,
// on the continuous clock. The loop promises never early; how late is what a
// press pays once for every wait it makes.
#include "app/QtLoop.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace corvel;
using namespace std::chrono_literals;

void timerLateness(benchmark::State& state) {
    app::QtLoop loop;
    const auto delay = std::chrono::microseconds(state.range(0));
    std::chrono::nanoseconds lateness{0};
    std::chrono::nanoseconds worst{0};
    for (auto _ : state) {
        bool fired = false;
        const auto due = loop.now() + delay;
        loop.after(delay, [&] {
            const auto late = loop.now() - due;
            lateness += late;
            worst = std::max(worst, late);
            fired = true;
        });
        while (!fired)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double microseconds = std::chrono::duration<double, std::micro>(lateness).count();
    state.counters["late_us"] =
        benchmark::Counter(microseconds, benchmark::Counter::kAvgIterations);
    state.counters["worst_late_us"] = std::chrono::duration<double, std::micro>(worst).count();
}
BENCHMARK(timerLateness)->Arg(1300)->Arg(100)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
