#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"
#include "support/TemporaryFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace corvel {
namespace {

namespace fs = std::filesystem;

constexpr int killCount = 200;

/// The n-th snapshot of a store that grows by one Item per write (starting
/// over now and then to keep the test quick). Fully determined by n, which
/// its Group's name carries, so the parent can tell which snapshot is on disk.
CorvelStore snapshotNumber(std::uint64_t n) {
    auto group = GroupID(Uuid::literal("0C0C0C0C-0000-4000-8000-000000000001"));
    CorvelStore store{
        .groups = {Group{.id = group, .name = std::to_string(n), .symbolName = "bolt"}}};
    for (std::uint64_t i = 0; i < n % 128; ++i) {
        Uuid::Bytes bytes{0xC0, 0xFF, 0xEE, 0, 0, 0, 0x40, 0, 0x80};
        for (int b = 0; b < 7; ++b)
            bytes[9 + b] = static_cast<std::uint8_t>(i >> (8 * b));
        store.items.push_back(Item{.id = ItemID(Uuid(bytes)),
                                   .identity = {"com.example.crash", "Item " + std::to_string(i)},
                                   .ordinal = static_cast<std::int64_t>(i),
                                   .groupID = group});
    }
    return store;
}

/// Which snapshot the document holds, or nothing when it is not exactly one.
std::optional<std::uint64_t> snapshotOnDisk(const fs::path& url) {
    auto bytes = StoreFile::readBytes(url);
    if (!bytes)
        return std::nullopt;
    auto store = StoreDocument::read(*bytes);
    if (!store || store->groups.size() != 1)
        return std::nullopt;
    auto n = std::stoull(store->groups[0].name);
    if (*bytes != StoreDocument::encode(snapshotNumber(n)))
        return std::nullopt;
    return n;
}

/// Child side: writes ever larger snapshots and reports each finished one.
[[noreturn]] void writeUntilKilled(const fs::path& url, std::uint64_t from, int progress) {
    for (std::uint64_t n = from + 1;; ++n) {
        StoreFile::writeAtomically(snapshotNumber(n), url);
        if (::write(progress, &n, sizeof n) != sizeof n)
            ::_exit(1);
    }
}

std::optional<std::uint64_t> readProgress(int fd) {
    std::uint64_t n = 0;
    if (::read(fd, &n, sizeof n) != sizeof n)
        return std::nullopt;
    return n;
}

bool spin(std::uint64_t rounds) {
    volatile std::uint64_t sink = 0;
    for (std::uint64_t i = 0; i < rounds; ++i)
        sink = sink + i;
    return sink != 1;
}

TEST(StoreCrashConsistencyTest, aKilledWriterAlwaysLeavesOneWholeWrittenSnapshot) {
    // A kill loses nothing that reached the page cache, so memory-backed files
    // show the same outcomes as a disk, without waiting for flushes.
    test::TemporaryFolder folder(fs::is_directory("/dev/shm") ? fs::path("/dev/shm")
                                                              : fs::temp_directory_path());
    auto url = folder / "store.json";
    std::mt19937_64 random(20260101);
    std::uint64_t onDisk = 0;

    for (int kill = 0; kill < killCount; ++kill) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            writeUntilKilled(url, onDisk, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);

        // Let a few writes finish, then strike somewhere inside a later one.
        std::uint64_t reported = onDisk;
        for (auto finished = 1 + random() % 3; finished > 0; --finished)
            if (auto n = readProgress(pipeEnds[0]))
                reported = *n;
        spin(random() % 400'000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        while (auto n = readProgress(pipeEnds[0]))
            reported = *n;
        ::close(pipeEnds[0]);

        auto found = snapshotOnDisk(url);
        ASSERT_TRUE(found) << "after kill " << kill << " the document is not a whole snapshot";
        // The write under way when the kill struck may or may not have landed.
        ASSERT_TRUE(*found == reported || *found == reported + 1)
            << "kill " << kill << ": found " << *found << ", last reported " << reported;
        onDisk = *found;
    }

    StoreFile::writeAtomically(snapshotNumber(onDisk + 1), url);
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename(), "store.json") << "left behind: " << entry.path();
}

} // namespace
} // namespace corvel
