#include "async/ManualLoop.h"
#include "platform_mac/AccessibilityElementTable.h"
#include "platform_mac/ExecutorMailbox.h"
#include "platform_mac/OwnedReference.h"

#include <deque>
#include <gtest/gtest.h>
#include <map>

using namespace corvel;
using mac::AccessibilityElementTable;
using mac::OwnedReference;

namespace {

// A reference-counted object as the platform keeps them: equal when their
// `identity` is, so that two reads of one element compare equal.
struct Object {
    int identity = 0;
};

struct Counts {
    std::map<const Object*, int> references;
    int releases = 0;
};
Counts* counts = nullptr;

struct CountingLifetime {
    static void retain(const Object* object) { ++counts->references[object]; }
    static void release(const Object* object) {
        ASSERT_GT(counts->references[object], 0) << "released more often than owned";
        --counts->references[object];
        ++counts->releases;
    }
    static std::size_t hash(const Object* object) { return std::hash<int>()(object->identity); }
    static bool equal(const Object* a, const Object* b) { return a->identity == b->identity; }
};

using Owned = OwnedReference<const Object*, CountingLifetime>;

class References : public ::testing::Test {
  protected:
    void SetUp() override { counts = &counts_; }
    void TearDown() override { counts = nullptr; }

    // An object handed over by a Create or Copy call: owned once already.
    const Object* created(int identity) {
        objects_.push_back(Object{identity});
        ++counts_.references[&objects_.back()];
        return &objects_.back();
    }
    int references(const Object* object) { return counts_.references[object]; }

    Counts counts_;
    std::deque<Object> objects_;
};

} // namespace

TEST_F(References, anAdoptedReferenceIsReleasedExactlyOnceWhicheverWayItsHolderEnds) {
    const Object* destroyed = created(1);
    const Object* reset = created(2);
    const Object* overwritten = created(3);
    const Object* moved = created(4);
    const Object* received = created(5);
    {
        Owned first = Owned::adopt(destroyed);
        Owned second = Owned::adopt(reset);
        second.reset();
        second.reset();
        Owned third = Owned::adopt(overwritten);
        third = Owned::adopt(moved);
        Owned fourth = std::move(third);
        Owned fifth = Owned::adopt(received);
        // A Copy call writing into a holder that still owns something.
        *fifth.receive() = created(6);
    }
    for (const Object& object : objects_)
        EXPECT_EQ(references(&object), 0) << "object " << object.identity;
    EXPECT_EQ(counts_.releases, 6);
}

TEST_F(References, aBorrowedReferenceIsRetainedWhileHeldAndCopiesRetainTheirOwn) {
    const Object* borrowed = created(1);
    {
        Owned kept = Owned::retain(borrowed);
        Owned copy = kept;
        EXPECT_EQ(references(borrowed), 3);
        EXPECT_EQ(copy.get(), borrowed);
    }
    EXPECT_EQ(references(borrowed), 1) << "the lender's own reference stays";
    EXPECT_FALSE(Owned::retain(nullptr));
}

TEST_F(References, anElementReadAgainKeepsItsIdAndIsHeldOnce) {
    AccessibilityElementTable<const Object*, CountingLifetime> table(8);
    const auto first = table.intern(42, created(7));
    const auto again = table.intern(42, created(7));
    EXPECT_EQ(first, again);
    EXPECT_EQ(table.size(), 1u);
    EXPECT_NE(first.id, 0u) << "0 stands for the application element";
    // The same element seen in another process is another element.
    EXPECT_NE(table.intern(43, created(7)).id, first.id);
}

TEST_F(References, pastItsCapacityTheTableReleasesTheLeastRecentlyUsedElement) {
    std::deque<const Object*> read;
    {
        AccessibilityElementTable<const Object*, CountingLifetime> table(2);
        read.push_back(created(1));
        const auto oldest = table.intern(1, read.back());
        read.push_back(created(2));
        const auto middle = table.intern(1, read.back());
        EXPECT_TRUE(table.find(oldest)) << "using it makes it the most recent";
        read.push_back(created(3));
        const auto newest = table.intern(1, read.back());

        EXPECT_FALSE(table.find(middle));
        EXPECT_EQ(references(read[1]), 1) << "only the reader's own reference is left";
        EXPECT_TRUE(table.find(oldest));
        EXPECT_TRUE(table.find(newest));
        // Met again after it was dropped, it is a new entry under a new id.
        EXPECT_NE(table.intern(1, read[1]).id, middle.id);
        EXPECT_FALSE(table.find({1, 999}));
        EXPECT_FALSE(table.find({2, newest.id})) << "ids belong to their process";
    }
    for (const Object* object : read)
        EXPECT_EQ(references(object), 1);
}

TEST_F(References, aFoundElementStaysValidAfterTheTableDropsIt) {
    AccessibilityElementTable<const Object*, CountingLifetime> table(1);
    const Object* element = created(1);
    const auto value = table.intern(1, element);
    Owned inUse = table.find(value);
    table.intern(1, created(2));
    EXPECT_FALSE(table.find(value));
    EXPECT_EQ(references(element), 2) << "the reader's and the caller's";
}

TEST(ExecutorMailboxTest, anAnswerArrivingAfterItsBindingWentIsDroppedNotRunOnAGoneLoop) {
    async::ManualLoop loop;
    auto mailbox = std::make_shared<mac::ExecutorMailbox>(loop);
    int ran = 0;
    EXPECT_TRUE(mailbox->post([&] { ++ran; }));
    mailbox->close();
    EXPECT_FALSE(mailbox->post([&] { ++ran; }));
    loop.runUntilIdle();
    EXPECT_EQ(ran, 1);
}
