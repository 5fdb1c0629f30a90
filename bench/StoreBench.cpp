// Cost of the store document at a realistic upper size: 20 Groups and 1,000
// Items. Writes include the flushes to disk that make them durable.
#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace corvel {
namespace {

namespace fs = std::filesystem;

CorvelStore largeStore() {
    CorvelStore store;
    for (int g = 0; g < 20; ++g) {
        auto group = Group{.id = GroupID::random(),
                           .name = "Group " + std::to_string(g),
                           .symbolName = "folder.fill",
                           .order = g};
        if (g % 4 == 0)
            group.shortcut = KeyboardShortcut{.keyCode = static_cast<std::uint16_t>(g),
                                              .modifierFlags = KeyboardShortcut::command};
        store.groups.push_back(group);
    }
    for (int i = 0; i < 1000; ++i) {
        auto item = Item{.id = ItemID::random(),
                         .identity = {"com.example.app" + std::to_string(i % 300),
                                      "Menu Extra " + std::to_string(i)},
                         .ordinal = i % 7};
        if (i % 3 != 0)
            item.groupID = store.groups[i % 20].id;
        if (i % 10 == 0)
            item.displayName = "Named item " + std::to_string(i);
        store.items.push_back(item);
    }
    return store;
}

class Folder {
  public:
    Folder() {
        auto pattern = (fs::temp_directory_path() / "corvel-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~Folder() { fs::remove_all(path_); }
    fs::path url() const { return path_ / "store.json"; }

  private:
    fs::path path_;
};

void encodeAndWrite(benchmark::State& state) {
    Folder folder;
    auto store = largeStore();
    for (auto _ : state)
        StoreFile::writeAtomically(store, folder.url());
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(folder.url()));
}

void encodeOnly(benchmark::State& state) {
    auto store = largeStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(StoreDocument::encode(store));
}

void readAndDecode(benchmark::State& state) {
    Folder folder;
    StoreFile::writeAtomically(largeStore(), folder.url());
    for (auto _ : state) {
        auto store = StoreDocument::read(*StoreFile::readBytes(folder.url()));
        if (!store || store->items.size() != 1000)
            state.SkipWithError("the store did not read back");
        benchmark::DoNotOptimize(store);
    }
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(folder.url()));
}

BENCHMARK(encodeAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15);
BENCHMARK(encodeOnly)->Unit(benchmark::kMillisecond)->Repetitions(15);
BENCHMARK(readAndDecode)->Unit(benchmark::kMillisecond)->Repetitions(15);

} // namespace
} // namespace corvel
