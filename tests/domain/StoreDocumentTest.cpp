#include "domain/StoreDocument.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace corvel {
namespace {

using nlohmann::json;

constexpr const char* groupJson =
    R"({"id":{"rawValue":"0A1B2C3D-0000-4000-8000-000000000001"},"name":"Tools",)"
    R"("symbolName":"folder.fill","order":0})";
constexpr const char* itemJson =
    R"({"id":{"rawValue":"0a1b2c3d-0000-4000-8000-0000000000aa"},)"
    R"("identity":{"bundleID":"com.example.clock","title":"Clock"},"ordinal":2,)"
    R"("groupID":{"rawValue":"0a1b2c3d-0000-4000-8000-000000000001"}})";

std::string document(const std::string& schemaPart) {
    return "{" + schemaPart + R"("groups":[)" + groupJson + R"(],"items":[)" + itemJson + "]}";
}

bool readable(const std::string& bytes) {
    return StoreDocument::read(bytes).has_value();
}

std::string nested(std::size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

TEST(StoreDocumentReadTest, aHandWrittenCurrentDocumentReadsWithIdsInEitherCase) {
    auto store = StoreDocument::read(document(R"("schemaVersion":1,)"));
    ASSERT_TRUE(store);
    ASSERT_EQ(store->groups.size(), 1u);
    ASSERT_EQ(store->items.size(), 1u);
    EXPECT_EQ(store->items[0].groupID, store->groups[0].id);
    EXPECT_EQ(store->items[0].identity, (ItemIdentity{"com.example.clock", "Clock"}));
}

TEST(StoreDocumentReadTest, schemaZeroDocumentsAreMigratedInMemory) {
    for (const char* bytes : {"{}", R"({"schemaVersion":0})", R"({"schemaVersion":-0.0})"}) {
        auto store = StoreDocument::read(bytes);
        ASSERT_TRUE(store) << bytes;
        EXPECT_EQ(store->schemaVersion, 1);
        EXPECT_TRUE(store->groups.empty());
        EXPECT_TRUE(store->items.empty());
    }
}

TEST(StoreDocumentReadTest, aVersionThatIsNotAWholeNumberMeansSchemaZero) {
    for (const char* schema : {R"("schemaVersion":"1",)", R"("schemaVersion":null,)",
                               R"("schemaVersion":1.5,)", R"("schemaVersion":[1],)", ""}) {
        auto store = StoreDocument::read(document(schema));
        ASSERT_TRUE(store) << schema;
        EXPECT_EQ(store->schemaVersion, 1);
        EXPECT_EQ(store->items.size(), 1u);
    }
    EXPECT_TRUE(readable(document(R"("schemaVersion":1.0,)")));
}

TEST(StoreDocumentReadTest, newerOrNegativeSchemasAreNeverRead) {
    for (const char* schema :
         {R"("schemaVersion":2,)", R"("schemaVersion":-1,)", R"("schemaVersion":2.0,)",
          R"("schemaVersion":1e30,)", R"("schemaVersion":18446744073709551615,)"})
        EXPECT_FALSE(readable(document(schema))) << schema;
}

TEST(StoreDocumentReadTest, aDocumentLackingAListOrWithOneBadPartIsUnreadableAsAWhole) {
    std::string missingOrdinal = itemJson;
    missingOrdinal.replace(missingOrdinal.find(R"("ordinal":2,)"), 12, "");
    const std::string unreadable[] = {
        R"({"schemaVersion":1})", R"({"schemaVersion":1,"groups":[]})",
        // Migration keeps keys that are present, even when null.
        R"({"groups":null})", R"({"schemaVersion":0,"items":{}})",
        R"({"schemaVersion":1,"groups":[],"items":[)" + std::string(itemJson) + "," +
            missingOrdinal + "]}",
        "", "   ", "[]", "1", "null", "{\"a\":", "{} {}", "{\"a\":\"\xff\"}"};
    for (const auto& bytes : unreadable)
        EXPECT_FALSE(readable(bytes)) << bytes;
    EXPECT_TRUE(readable(R"({"schemaVersion":1,"groups":[],"items":[]})"));
    EXPECT_TRUE(readable(R"({"schemaVersion":0,"items":[]})"));
}

TEST(StoreDocumentReadTest, nestingBeyondTheLimitIsRefusedBeforeParsing) {
    auto withExtra = [](const std::string& extra) {
        return R"({"schemaVersion":1,"groups":[],"items":[],"extra":)" + extra + "}";
    };
    EXPECT_TRUE(readable(withExtra(nested(StoreDocument::maxDepth - 1))));
    EXPECT_FALSE(readable(withExtra(nested(StoreDocument::maxDepth))));
    EXPECT_FALSE(readable(nested(1'000'000)));
    // Brackets inside strings are text, not nesting.
    EXPECT_TRUE(readable(withExtra("\"" + std::string(1000, '[') + "\\\"\"")));
}

TEST(StoreDocumentEncodeTest, textThatIsNotUtf8IsWrittenWithReplacementCharacters) {
    CorvelStore store{.schemaVersion = 1,
                      .items = {Item{.id = ItemID::random(),
                                     .identity = {"com.example", "bad \xC3"},
                                     .ordinal = 0,
                                     .displayName = "\xFF ok"}}};
    auto read = StoreDocument::read(StoreDocument::encode(store));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->items.at(0).identity.title, "bad \uFFFD");
    EXPECT_EQ(read->items.at(0).displayName, "\uFFFD ok");
}

} // namespace
} // namespace corvel
