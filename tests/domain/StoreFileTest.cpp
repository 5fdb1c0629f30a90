#include "domain/StoreFile.h"

#include "domain/StoreDocument.h"
#include "domain/WellKnownGroup.h"
#include "support/TemporaryFolder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace corvel {
namespace {

namespace fs = std::filesystem;

CorvelStore sampleStore() {
    auto group = Group{.id = GroupID::random(), .name = "Tools", .symbolName = "folder.fill"};
    group.shortcut = KeyboardShortcut{.keyCode = 65535, .modifierFlags = ~std::uint64_t{0}};
    return CorvelStore{
        .groups = {group,
                   Group{.id = GroupID::random(), .name = "B", .symbolName = "star", .order = -7}},
        .items = {Item{.id = ItemID::random(),
                       .identity = {"com.example", "Clock"},
                       .ordinal = 0,
                       .groupID = group.id},
                  Item{.id = ItemID::random(),
                       .identity = {"com.example", "Battery"},
                       .ordinal = 1,
                       .displayName = "Power"},
                  Item{.id = ItemID::random(),
                       .identity = {"com.example", "Wi-Fi \"5G\" \\ \u2600"},
                       .ordinal = -2,
                       .groupID = WellKnownGroup::hidden}},
    };
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned mode(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 0777;
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string runShapeCheck(const fs::path& document) {
    std::string command =
        std::string("python3 ") + CORVEL_STORE_SHAPE_SCRIPT + " '" + document.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (::pclose(pipe) != 0)
            output = "failed: " + output;
    }
    return output;
}

TEST(StoreFileWriteTest, createsMissingFoldersForTheUserAloneAndLeavesNoTemporary) {
    test::TemporaryFolder folder;
    auto url = folder / "a" / "b" / "store.json";
    StoreFile::writeAtomically(sampleStore(), url);
    EXPECT_EQ(namesIn(url.parent_path()), std::vector<std::string>{"store.json"});
    EXPECT_EQ(mode(folder / "a"), 0700u);
    EXPECT_EQ(mode(url.parent_path()), 0700u);
    EXPECT_EQ(mode(url), 0600u);
}

TEST(StoreFileWriteTest, whatIsWrittenReadsBackEqualAndInOrder) {
    test::TemporaryFolder folder;
    auto url = folder / "store.json";
    auto store = sampleStore();
    StoreFile::writeAtomically(store, url);
    auto read = StoreDocument::read(*StoreFile::readBytes(url));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->items.size(), store.items.size());
    for (std::size_t i = 0; i < store.items.size(); ++i) {
        EXPECT_EQ(read->items[i].id, store.items[i].id);
        EXPECT_EQ(read->items[i].identity, store.items[i].identity);
        EXPECT_EQ(read->items[i].ordinal, store.items[i].ordinal);
        EXPECT_EQ(read->items[i].groupID, store.items[i].groupID);
        EXPECT_EQ(read->items[i].displayName, store.items[i].displayName);
    }
    ASSERT_EQ(read->groups.size(), store.groups.size());
    for (std::size_t i = 0; i < store.groups.size(); ++i) {
        EXPECT_EQ(read->groups[i].id, store.groups[i].id);
        EXPECT_EQ(read->groups[i].name, store.groups[i].name);
        EXPECT_EQ(read->groups[i].symbolName, store.groups[i].symbolName);
        EXPECT_EQ(read->groups[i].shortcut, store.groups[i].shortcut);
        EXPECT_EQ(read->groups[i].order, store.groups[i].order);
    }
}

TEST(StoreFileWriteTest, aStandardJsonReaderSeesTheDocumentedLayout) {
    test::TemporaryFolder folder;
    auto url = folder / "store.json";
    StoreFile::writeAtomically(sampleStore(), url);
    EXPECT_EQ(runShapeCheck(url), "{\"groups\": 2, \"items\": 3}\n");
}

TEST(StoreFileWriteTest, aFailedReplaceRemovesItsTemporaryAndKeepsTheOldDocument) {
    test::TemporaryFolder folder;
    // A folder in the document's place cannot be replaced by a file.
    auto url = folder / "store.json";
    fs::create_directory(url);
    writeText(url / "keep", "x");
    EXPECT_THROW(StoreFile::writeAtomically(sampleStore(), url), StoreFile::Error);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"store.json"});
    EXPECT_TRUE(fs::exists(url / "keep"));
}

TEST(StoreFileWriteTest, aLinkedStoreIsWrittenWhereTheLinkLeadsAndStaysALink) {
    test::TemporaryFolder folder;
    fs::create_directories(folder / "synced" / "corvel");
    auto url = folder / "store.json";
    fs::create_symlink("other.json", url);
    fs::create_symlink("synced/corvel/store.json", folder / "other.json");
    StoreFile::writeAtomically(sampleStore(), url);
    EXPECT_TRUE(fs::is_symlink(url));
    EXPECT_TRUE(fs::is_symlink(folder / "other.json"));
    EXPECT_EQ(StoreDocument::read(*StoreFile::readBytes(url))->groups.size(), 2u);
    EXPECT_EQ(namesIn(folder / "synced" / "corvel"), std::vector<std::string>{"store.json"});

    writeText(folder / "synced" / "corvel" / "store.json", "damaged");
    auto aside = StoreFile::moveAside(url, std::chrono::system_clock::time_point{});
    EXPECT_EQ(aside, folder / "synced" / "corvel" / "store.json.unreadable-19700101T000000Z");
    EXPECT_TRUE(fs::is_symlink(url));
}

TEST(StoreFileWriteTest, nothingButARegularFileIsReplacedOrMovedAside) {
    test::TemporaryFolder folder;
    auto pipe = folder / "pipe.json";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(folder / "folder.json");
    fs::create_symlink("folder.json", folder / "link.json");
    writeText(folder / "file.json", "{}");
    fs::create_symlink("missing.json", folder / "dangling.json");

    EXPECT_EQ(StoreFile::notAFile(pipe), "a named pipe");
    EXPECT_EQ(StoreFile::notAFile(folder / "link.json"), "a folder");
    EXPECT_EQ(StoreFile::notAFile(folder / "file.json"), std::nullopt);
    EXPECT_EQ(StoreFile::notAFile(folder / "dangling.json"), std::nullopt);
    EXPECT_EQ(StoreFile::notAFile(folder / "nothing.json"), std::nullopt);
    EXPECT_EQ(StoreFile::notAFile("/dev/null"), "a device");

    for (const auto& url : {pipe, folder / "link.json"}) {
        EXPECT_THROW(StoreFile::writeAtomically(sampleStore(), url), StoreFile::Error);
        EXPECT_THROW(StoreFile::moveAside(url, {}), StoreFile::Error);
    }
    struct stat status {};
    ASSERT_EQ(::lstat(pipe.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{"dangling.json", "file.json", "folder.json", "link.json",
                                        "pipe.json"}));
}

TEST(StoreFileWriteTest, temporariesLeftByCrashedWritesGoWithTheNextWriteAndNothingElseDoes) {
    test::TemporaryFolder folder;
    auto url = folder / "store.json";
    auto stale = StoreFile::temporarySibling(url);
    writeText(stale, "{\"sch");
    writeText(folder / ".store.json.not-a-uuid.tmp", "");
    writeText(folder / "notes.tmp", "");
    StoreFile::writeAtomically(sampleStore(), url);
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{".store.json.not-a-uuid.tmp", "notes.tmp", "store.json"}));
}

TEST(StoreFileWriteTest, temporaryNamesAreDottedAndRandom) {
    auto url = fs::path("/x/store.json");
    auto first = StoreFile::temporarySibling(url);
    EXPECT_EQ(first.parent_path(), "/x");
    EXPECT_TRUE(first.filename().string().starts_with(".store.json."));
    EXPECT_TRUE(first.filename().string().ends_with(".tmp"));
    EXPECT_TRUE(StoreFile::isTemporarySibling(first, url));
    EXPECT_NE(first, StoreFile::temporarySibling(url));
    EXPECT_FALSE(StoreFile::isTemporarySibling(
        "/x/.other.json." + first.filename().string().substr(12), url));
}

TEST(StoreFileReadTest, readsOnlyJustPastTheSizeLimit) {
    test::TemporaryFolder folder;
    auto url = folder / "store.json";
    {
        std::ofstream out(url);
        out.seekp(static_cast<std::streamoff>(StoreDocument::maxBytes) * 2);
        out << ' ';
    }
    auto bytes = StoreFile::readBytes(url);
    ASSERT_TRUE(bytes);
    EXPECT_GT(bytes->size(), StoreDocument::maxBytes);
    EXPECT_LT(bytes->size(), StoreDocument::maxBytes * 2);
    EXPECT_FALSE(StoreDocument::read(*bytes));
}

TEST(StoreFileMoveAsideTest, movesToADatedSiblingWithoutReplacingAnEarlierOne) {
    test::TemporaryFolder folder;
    auto url = folder / "store.json";
    auto now = std::chrono::system_clock::time_point(std::chrono::seconds(1'767'225'600));
    writeText(url, "first");
    EXPECT_EQ(StoreFile::moveAside(url, now), folder / "store.json.unreadable-20260101T000000Z");
    writeText(url, "second");
    EXPECT_EQ(StoreFile::moveAside(url, now), folder / "store.json.unreadable-20260101T000000Z-2");
    EXPECT_FALSE(StoreFile::moveAside(url, now));
    std::ifstream kept(folder / "store.json.unreadable-20260101T000000Z");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "first");
}

} // namespace
} // namespace corvel
