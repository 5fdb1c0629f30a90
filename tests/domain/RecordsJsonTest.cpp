#include "domain/CorvelStore.h"
#include "domain/DecodeError.h"
#include "domain/Group.h"
#include "domain/Item.h"
#include "domain/ItemSnapshot.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <type_traits>

namespace corvel {
namespace {

using nlohmann::json;

constexpr auto someUuid = Uuid::literal("6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b");

static_assert(!std::is_convertible_v<ItemID, GroupID>);
static_assert(!std::is_convertible_v<GroupID, ItemID>);
static_assert(!std::is_constructible_v<GroupID, ItemID>);

Group sampleGroup() {
    return Group{.id = GroupID(someUuid), .name = "Tools", .symbolName = "folder.fill", .order = 3};
}

Item sampleItem() {
    return Item{.id = ItemID(someUuid), .identity = {"com.example.clock", "Clock"}, .ordinal = 4};
}

TEST(UuidTest, readsEitherCaseWritesUpperCaseAndRefusesAnythingButTheCanonicalForm) {
    auto lower = Uuid::parse("6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b");
    auto upper = Uuid::parse("6F1C2A3B-4D5E-4F60-8A7B-9C0D1E2F3A4B");
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(*lower, *upper);
    EXPECT_EQ(lower->text(), "6F1C2A3B-4D5E-4F60-8A7B-9C0D1E2F3A4B");
    for (const char* text :
         {"", "6f1c2a3b4d5e4f608a7b9c0d1e2f3a4b", "{6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b}",
          " 6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b", "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4g",
          "6f1c2a3b-4d5e-4f60-8a7b9-c0d1e2f3a4b"})
        EXPECT_FALSE(Uuid::parse(text)) << text;
}

TEST(IdentifierJsonTest, idsOfEitherKindAreTheUuidUnderRawValueAndNothingElseReadsAsOne) {
    json item = ItemID(someUuid);
    json group = GroupID(someUuid);
    EXPECT_EQ(item.dump(), R"({"rawValue":"6F1C2A3B-4D5E-4F60-8A7B-9C0D1E2F3A4B"})");
    EXPECT_EQ(group.dump(), item.dump());
    EXPECT_THROW(json("6F1C2A3B-4D5E-4F60-8A7B-9C0D1E2F3A4B").get<GroupID>(), DecodeError);
    EXPECT_THROW(json::parse(R"({"rawValue":"nope"})").get<GroupID>(), DecodeError);
    EXPECT_THROW(json::parse(R"({"rawValue":7})").get<ItemID>(), DecodeError);
}

TEST(KeyboardShortcutTest, commandAndShiftAreReadThroughOtherBits) {
    KeyboardShortcut shortcut{.keyCode = 11,
                              .modifierFlags = KeyboardShortcut::command | KeyboardShortcut::shift |
                                               0x100 | 0x800000};
    EXPECT_TRUE(shortcut.holds(KeyboardShortcut::command | KeyboardShortcut::shift));
    EXPECT_FALSE(shortcut.holds(KeyboardShortcut::option));
    EXPECT_FALSE(shortcut.holds(KeyboardShortcut::control));
}

TEST(KeyboardShortcutTest, keyCodesBeyondSixteenBitsOrNegativeFlagsDoNotDecode) {
    EXPECT_THROW(json::parse(R"({"keyCode":65536,"modifierFlags":0})").get<KeyboardShortcut>(),
                 DecodeError);
    EXPECT_THROW(json::parse(R"({"keyCode":1,"modifierFlags":-1})").get<KeyboardShortcut>(),
                 DecodeError);
    EXPECT_THROW(json::parse(R"({"keyCode":"1","modifierFlags":0})").get<KeyboardShortcut>(),
                 DecodeError);
    auto widest = json::parse(R"({"keyCode":65535,"modifierFlags":18446744073709551615})")
                      .get<KeyboardShortcut>();
    EXPECT_EQ(widest.keyCode, 65535);
    EXPECT_EQ(widest.modifierFlags, ~std::uint64_t{0});
}

TEST(GroupJsonTest, anAbsentShortcutIsLeftOutAndReadsFromNullButEveryOtherKeyIsRequiredAndTyped) {
    json encoded = sampleGroup();
    EXPECT_FALSE(encoded.contains("shortcut"));
    encoded["shortcut"] = nullptr;
    EXPECT_FALSE(encoded.get<Group>().shortcut);
    for (const char* key : {"id", "name", "symbolName", "order"}) {
        encoded = sampleGroup();
        encoded.erase(key);
        EXPECT_THROW(encoded.get<Group>(), DecodeError) << key;
        encoded = sampleGroup();
        encoded[key] = json::array();
        EXPECT_THROW(encoded.get<Group>(), DecodeError) << key;
    }
}

TEST(ItemJsonTest, absentOptionalsAreLeftOutAndReadFromNullButTheOrdinalMustBeAWholeNumber) {
    json encoded = sampleItem();
    EXPECT_FALSE(encoded.contains("groupID"));
    EXPECT_FALSE(encoded.contains("displayName"));
    encoded["groupID"] = nullptr;
    encoded["displayName"] = nullptr;
    auto decoded = encoded.get<Item>();
    EXPECT_FALSE(decoded.groupID);
    EXPECT_FALSE(decoded.displayName);

    encoded.erase("ordinal");
    EXPECT_THROW(encoded.get<Item>(), DecodeError);
    encoded["ordinal"] = 1.5;
    EXPECT_THROW(encoded.get<Item>(), DecodeError);
    encoded["ordinal"] = 2.0;
    EXPECT_EQ(encoded.get<Item>().ordinal, 2);
}

TEST(ItemSnapshotJsonTest, pictureAndTimeSurviveTheRoundTrip) {
    ItemSnapshot snapshot{
        .capturedAt = std::chrono::system_clock::time_point(std::chrono::seconds(1'700'000'000)),
        .pngData = {0x89, 'P', 'N', 'G', 0, 0xFF, 7}};
    json encoded = snapshot;
    EXPECT_EQ(encoded["capturedAt"].get<double>(), 1'700'000'000.0 - 978'307'200.0);
    EXPECT_EQ(encoded["pngData"], "iVBORwD/Bw==");
    auto decoded = encoded.get<ItemSnapshot>();
    EXPECT_EQ(decoded.capturedAt, snapshot.capturedAt);
    EXPECT_EQ(decoded.pngData, snapshot.pngData);
}

#ifndef __APPLE__
TEST(StoreLocationTest, followsXdgDataHomeOrElseTheHomeFolder) {
    auto lookup = [](std::map<std::string, std::string> values) {
        return [values](const std::string& name) -> std::optional<std::string> {
            auto found = values.find(name);
            if (found == values.end())
                return std::nullopt;
            return found->second;
        };
    };
    EXPECT_EQ(CorvelStore::defaultURL(lookup({{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/a"}})),
              "/data/app.corvel.Corvel/store.json");
    EXPECT_EQ(CorvelStore::defaultURL(lookup({{"HOME", "/home/a"}})),
              "/home/a/.local/share/app.corvel.Corvel/store.json");
    EXPECT_EQ(CorvelStore::defaultURL(lookup({{"XDG_DATA_HOME", "relative"}, {"HOME", "/home/a"}})),
              "/home/a/.local/share/app.corvel.Corvel/store.json");
}
#endif

} // namespace
} // namespace corvel
