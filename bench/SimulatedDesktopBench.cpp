// How long the simulated desktop takes to read a scenario of many status
// items and lay out its menu bar: the window list and the bar left to right,
// as a start of Corvel first reads them. It must grow linearly with the
// number of items, whether they belong to a few applications or each to its
// own.
#include "async/ManualLoop.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace corvel;

std::string scenarioWith(std::int64_t items, std::int64_t itemsPerApplication) {
    std::string text =
        R"({"hostStatusItemsInHost": true, "applications": [)"
        R"({"name": "Control Center", "bundleIdentifier": "com.apple.controlcenter",)"
        R"( "statusBarHost": true, "extras": [)"
        R"({"autosaveName": "com.apple.menuextra.clock", "width": 118, "movable": false}]})";
    for (std::int64_t made = 0, app = 0; made < items; ++app) {
        text += R"(, {"name": "App )" + std::to_string(app) +
                R"(", "bundleIdentifier": "com.example.app)" + std::to_string(app) +
                R"(", "extras": [)";
        for (std::int64_t extra = 0; extra < itemsPerApplication && made < items; ++extra, ++made) {
            text += extra ? ", " : "";
            text += R"({"description": "Item )" + std::to_string(made) + R"(", "width": 22})";
        }
        text += "]}";
    }
    return text + "]}";
}

void loadAndLayOut(benchmark::State& state) {
    const auto text = scenarioWith(state.range(0), state.range(1));
    for (auto _ : state) {
        async::ManualLoop loop;
        auto desktop = sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::fromJson(text));
        auto windows = desktop->copyWindowInfo(0, 0);
        auto bar = desktop->itemsLeftToRight();
        benchmark::DoNotOptimize(windows);
        benchmark::DoNotOptimize(bar);
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

// Items per application: 10 (a few busy applications), 1 (as many as items).
BENCHMARK(loadAndLayOut)
    ->ArgsProduct({{1000, 2000, 4000, 8000, 16000}, {10}})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(loadAndLayOut)
    ->ArgsProduct({{1000, 2000, 4000, 8000, 16000}, {1}})
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
