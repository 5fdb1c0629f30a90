#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace corvel {
namespace {

namespace fs = std::filesystem;

// The fuzzer's seeds, and any input it once crashed on, stay in the corpus.
// Names say what the reader must make of them: "readable-…" and
// "unreadable-…"; other names only have to be survived.
TEST(StoreSeedCorpusTest, everySeedReadsAsItsNameSaysAndRoundTrips) {
    std::size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(CORVEL_STORE_SEED_CORPUS)) {
        auto name = entry.path().filename().string();
        auto bytes = StoreFile::readBytes(entry.path());
        ASSERT_TRUE(bytes) << name;
        auto store = StoreDocument::read(*bytes);
        if (name.starts_with("readable-")) {
            EXPECT_TRUE(store) << name;
        }
        if (name.starts_with("unreadable-")) {
            EXPECT_FALSE(store) << name;
        }
        if (store) {
            auto written = StoreDocument::encode(*store);
            auto reread = StoreDocument::read(written);
            ASSERT_TRUE(reread) << name;
            EXPECT_EQ(StoreDocument::encode(*reread), written) << name;
        }
        ++replayed;
    }
    EXPECT_GE(replayed, 10u);
}

} // namespace
} // namespace corvel
