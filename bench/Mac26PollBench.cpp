// One poll pass of Corvel's own work and one identity resolve, at menu bar
// sizes from a full bar to far more windows than any bar holds. The window
// list and the accessibility extras are prepared once, so only our code is
// measured: the reading rules, the identity refresh rule (with a full
// resolve on every fifth pass, as the poll does, and the second reading it
// checks the walk against), the observer and the diff.
#include "backend_mac26/Mac26IdentityCache.h"
#include "backend_mac26/Mac26MenuBarReader.h"
#include "backend_mac26/Mac26PollState.h"
#include "backend_mac26/MenuBarWindowListReader.h"
#include "platform/WindowInfoKey.h"

#include <benchmark/benchmark.h>

namespace {

using corvel::Mac26MenuExtraResolver;
using corvel::platform::PlatformValue;
using corvel::platform::WindowInfoKey;

PlatformValue windowEntry(std::int64_t number, std::string name, double x, double width) {
    return PlatformValue::dictionary({
        {std::string(WindowInfoKey::layer), PlatformValue::integer(25)},
        {std::string(WindowInfoKey::number), PlatformValue::integer(number)},
        {std::string(WindowInfoKey::ownerPID), PlatformValue::integer(300 + number % 40)},
        {std::string(WindowInfoKey::name), PlatformValue::string(std::move(name))},
        {std::string(WindowInfoKey::alpha), PlatformValue::real(1.0)},
        {std::string(WindowInfoKey::bounds),
         PlatformValue::dictionary({{"X", PlatformValue::real(x)},
                                    {"Y", PlatformValue::real(0)},
                                    {"Width", PlatformValue::real(width)},
                                    {"Height", PlatformValue::real(24)}})},
    });
}

/// The spacer at the far left and `count - 1` foreign items right of it.
struct PreparedBar {
    PlatformValue list = PlatformValue::array({});
    std::vector<Mac26MenuExtraResolver::MenuExtra> extras;
};

PreparedBar preparedBar(int count) {
    PreparedBar bar;
    PlatformValue::Array entries;
    entries.push_back(windowEntry(100, "Corvel-HiddenRegionSpacer", 10, 24));
    for (int i = 1; i < count; ++i) {
        const double x = 10 + 30.0 * i;
        entries.push_back(windowEntry(100 + i, "Item-" + std::to_string(i), x, 28));
        bar.extras.push_back({"com.example.app" + std::to_string(i % 40),
                              "Extra " + std::to_string(i), x, "", false});
    }
    bar.list = PlatformValue::array(std::move(entries));
    return bar;
}

/// The window list as a port that always answers the prepared bar, for the
/// reader's second look after a walk.
class StillWindowList final : public corvel::platform::WindowList {
  public:
    explicit StillWindowList(const PlatformValue& list) : list_(list) {}
    std::optional<PlatformValue> copyWindowInfo(std::uint32_t, std::uint32_t) const override {
        return list_;
    }

  private:
    const PlatformValue& list_;
};

/// Time per window alongside the time per pass.
void reportPerWindow(benchmark::State& state) {
    const auto windows = static_cast<double>(state.range(0));
    state.counters["windows"] = windows;
    state.counters["per_window"] = benchmark::Counter(
        windows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_PollPass(benchmark::State& state) {
    const auto bar = preparedBar(static_cast<int>(state.range(0)));
    auto cache = std::make_shared<corvel::Mac26IdentityCache>([&bar] { return bar.extras; });
    corvel::Mac26MenuBarReader::Ports ports;
    ports.windowList = corvel::MenuBarWindowList(std::make_shared<StillWindowList>(bar.list));
    auto reader = std::make_shared<corvel::Mac26MenuBarReader>(
        "Corvel", ports, cache, std::make_shared<corvel::Mac26OwnWindows>());
    corvel::Mac26PollState poll(reader);
    // Kept across passes, as the poll keeps it.
    std::vector<corvel::MenuBarWindowInfo> windows;
    for (auto _ : state) {
        corvel::MenuBarWindowListReader::read(&bar.list, 25, windows);
        auto events = poll.pass(windows);
        benchmark::DoNotOptimize(events);
    }
    reportPerWindow(state);
}
BENCHMARK(BM_PollPass)->Arg(30)->Arg(200)->Arg(1000);

void BM_IdentityResolve(benchmark::State& state) {
    const auto bar = preparedBar(static_cast<int>(state.range(0)));
    const auto windows = corvel::MenuBarWindowListReader::windows(&bar.list, 25);
    corvel::Mac26IdentityCache cache([&bar] { return bar.extras; });
    for (auto _ : state) {
        auto resolved = cache.resolve(windows, "Corvel");
        benchmark::DoNotOptimize(resolved);
    }
    reportPerWindow(state);
}
BENCHMARK(BM_IdentityResolve)->Arg(30)->Arg(200)->Arg(1000);

} // namespace
