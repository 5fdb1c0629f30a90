// The soak runner itself: it must pass a sound run, play the same run for
// the same seed, and catch a fault planted in Corvel within a few hundred
// steps.
#include "soak/SoakRun.h"

#include "domain/StoreFile.h"
#include "engine/GroupStore.h"
#include "sim/ScenarioLoader.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace corvel;

namespace {

constexpr int fewSteps = 60;
constexpr int plentySteps = 300;

} // namespace

TEST(SoakRun, aSeedPlaysTheSameCheckedRunEveryTime) {
    std::ostringstream first;
    std::ostringstream second;
    for (auto* steps : {&first, &second}) {
        soak::SoakRun run(sim::ScenarioLoader::defaultScenario(), 7, steps);
        const auto failure = run.play(fewSteps);
        EXPECT_FALSE(failure) << failure->step << ": " << failure->what;
        EXPECT_EQ(run.stepsPlayed(), fewSteps);
    }
    EXPECT_EQ(first.str(), second.str());
    EXPECT_NE(first.str().find("step 60 at "), std::string::npos);
}

// An item taken out of its Group behind the person's back, as a fault in a
// reconciliation would.
TEST(SoakRun, catchesAFiledItemDroppedFromItsGroup) {
    soak::SoakRun run(sim::ScenarioLoader::defaultScenario(), 3, nullptr);
    int planted = 0;
    run.afterAction([&](soak::SoakRun& soak, const std::string&) {
        if (planted || soak.model().filed.empty())
            return;
        const auto& store = *soak.corvel().delegate->store();
        const auto bundle = soak.model().filed.begin()->first;
        for (auto item : store.items())
            if (item.identity.bundleID == bundle) {
                item.groupID.reset();
                soak.corvel().delegate->store()->upsertItem(item);
                planted = soak.stepsPlayed() + 1;
                return;
            }
    });
    const auto failure = run.play(plentySteps);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, planted);
    EXPECT_NE(failure->what.find("unfiled instead of"), std::string::npos) << failure->what;
}

// A write that never reached the disk: the document stays as it was before
// the person's last change.
TEST(SoakRun, catchesAStoreWriteThatWasSkipped) {
    soak::SoakRun run(sim::ScenarioLoader::defaultScenario(), 5, nullptr);
    int planted = 0;
    run.afterAction([&](soak::SoakRun& soak, const std::string& action) {
        if (planted || !action.starts_with("create the Group"))
            return;
        auto& corvel = soak.corvel();
        const auto path = corvel.folder.path() / "store.json";
        const auto before = StoreFile::readBytes(path);
        if (!before)
            return;
        corvel.loop.advance(std::chrono::seconds(1));
        std::ofstream(path, std::ios::binary | std::ios::trunc) << *before;
        planted = soak.stepsPlayed() + 1;
    });
    const auto failure = run.play(plentySteps);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, planted);
    EXPECT_NE(failure->what.find("the store on disk has"), std::string::npos) << failure->what;
}
