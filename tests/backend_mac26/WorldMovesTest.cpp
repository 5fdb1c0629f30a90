// The backend with its background work on a thread of its own, in lockstep
// with the main loop, on a desktop whose accessibility reads take time: the
// world goes on while a walk runs.
#include "BackendTestSupport.h"
#include "async/ManualThread.h"
#include "backend_mac26/Mac26WindowToken.h"

#include <unordered_map>

namespace corvel::test {
namespace {

constexpr const char* quillfeather = "com.example.quillfeather";

async::Task<void> readInto(Mac26Backend* backend, std::shared_ptr<std::vector<ObservedItem>> out,
                           std::shared_ptr<bool> done) {
    auto reading = backend->currentItems();
    *out = co_await std::move(reading);
    *done = true;
}

class WorldMovesTest : public testing::TestWithParam<ScenarioCase> {
  protected:
    void SetUp() override {
        desktop = sim::SimulatedDesktop::create(loop, builtInScenario(GetParam()));
        backend = std::make_unique<Mac26Backend>("Corvel", desktop->services(), loop, background);
        loop.advance(1s);
    }
    void TearDown() override {
        backend.reset();
        loop.runUntilIdle();
    }

    /// A fresh reading, made on the background thread while the loop goes on.
    std::vector<ObservedItem> currentItems(async::Duration limit = 5s) {
        auto items = std::make_shared<std::vector<ObservedItem>>();
        auto done = std::make_shared<bool>(false);
        async::spawn(loop, readInto(backend.get(), items, done));
        for (auto waited = async::Duration{}; !*done && waited < limit; waited += 1ms)
            loop.advance(1ms);
        EXPECT_TRUE(*done);
        return *items;
    }

    /// The items whose identity names another application than the one
    /// whose window it is.
    std::vector<std::string> misnamed(const std::vector<ObservedItem>& items) const {
        std::unordered_map<BackendItemToken, std::string> truth;
        for (const auto& bar : desktop->itemsLeftToRight())
            for (const auto& process : desktop->processes())
                if (process.pid == bar.creatorPid)
                    truth[Mac26WindowToken::token(bar.windowNumber)] =
                        process.bundleIdentifier.value_or("");
        std::vector<std::string> wrong;
        for (const auto& item : items)
            if (auto owner = truth.find(item.id);
                owner != truth.end() && owner->second != item.identity.bundleID)
                wrong.push_back(item.identity.title + " on " + owner->second);
        return wrong;
    }

    async::ManualLoop loop;
    async::ManualThread background{loop};
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::unique_ptr<Mac26Backend> backend;
};

// An application quits half way through the walk: the applications walked
// after it report places its neighbours moved into, which the window list read
// before the walk does not show. Only a walk the list agrees with counts.
TEST_P(WorldMovesTest, anApplicationQuittingDuringAWalkGivesNoWindowANeighboursIdentity) {
    auto quit = loop.after(20ms, [this] { desktop->quitApplication(quillfeather); });
    const auto items = currentItems();

    EXPECT_EQ(misnamed(items), std::vector<std::string>{});
    EXPECT_GE(items.size(), 18u);
    EXPECT_EQ(misnamed(currentItems()), std::vector<std::string>{});
}

TEST_P(WorldMovesTest, anApplicationLaunchingDuringAWalkGivesNoWindowANeighboursIdentity) {
    desktop->quitApplication(quillfeather);
    loop.advance(100ms);
    auto launch = loop.after(20ms, [this] { desktop->launchApplication(quillfeather); });
    const auto items = currentItems();

    EXPECT_EQ(misnamed(items), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, WorldMovesTest, testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
