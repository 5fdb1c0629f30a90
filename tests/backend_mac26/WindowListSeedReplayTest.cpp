#include "WindowListFuzzCheck.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace corvel {
namespace {

namespace fs = std::filesystem;

// The fuzzer's seeds, and any input it once crashed on, stay in the corpus.
// A name "items-N-…" says how many items the observer must make of it.
TEST(WindowListSeedCorpus, everySeedKeepsTheReadingRulesAndYieldsTheItemsItsNameSays) {
    std::size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(CORVEL_WINDOW_LIST_SEED_CORPUS)) {
        const auto name = entry.path().filename().string();
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        const auto list = fuzz::decode(bytes.str());
        if (!list)
            continue;
        std::size_t observed = 0;
        EXPECT_EQ(fuzz::check(*list, &observed), "") << name;
        if (name.starts_with("items-")) {
            const auto count = std::stoul(name.substr(6, name.find('-', 6) - 6));
            EXPECT_EQ(observed, count) << name;
        }
        ++replayed;
    }
    EXPECT_GE(replayed, 8u);
}

} // namespace
} // namespace corvel
