#include "engine/ItemSearchMatcher.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvel {
namespace {

using Match = ItemSearchMatcher::Match;

std::optional<Match> matchOf(const std::string& text, const std::string& name) {
    return ItemSearchMatcher::match(SearchableText::of(text), SearchableText::of(name));
}

struct Named {
    std::string displayName;
    std::string applicationName;
    std::uint64_t lastUse = 0;
};

/// The display names that `text` finds, in rank order.
std::vector<std::string> found(const std::string& text, const std::vector<Named>& items) {
    std::vector<ItemSearchCandidate> candidates;
    for (const auto& item : items)
        candidates.push_back({SearchableText::of(item.displayName),
                              SearchableText::of(item.applicationName), item.lastUse});
    std::vector<std::string> names;
    for (auto index : ItemSearchMatcher::rank(text, ItemSearchIndex::of(candidates)))
        names.push_back(items[index].displayName);
    return names;
}

TEST(ItemSearchMatcher, caseAccentsAndSpellingVariantsNeverKeepANameFromBeingFound) {
    EXPECT_EQ(matchOf("cafe", "Café Timer"), Match::prefix);
    EXPECT_EQ(matchOf("CAFÉ", "café timer"), Match::prefix);
    EXPECT_EQ(matchOf("strasse", "Straße"), Match::prefix);
    EXPECT_EQ(matchOf("aeble", "Æble"), Match::prefix);
    EXPECT_EQ(matchOf("lodz", "Łódź Transit"), Match::prefix);
    // Spaces and punctuation weigh nothing, in the text and in the name.
    EXPECT_EQ(matchOf("harborvpn", "Harbor VPN"), Match::prefix);
    EXPECT_EQ(matchOf("harbor vpn", "Harbor-VPN"), Match::prefix);
    EXPECT_EQ(matchOf("cafe", "Cafeteria"), Match::prefix);
    EXPECT_EQ(matchOf("cafes", "Café"), std::nullopt);
}

TEST(ItemSearchMatcher, aNameHoldsTextAsPrefixThenWordStartThenSubstringThenLettersInOrder) {
    EXPECT_EQ(matchOf("harb", "Harbor VPN"), Match::prefix);
    EXPECT_EQ(matchOf("vpn", "Harbor VPN"), Match::wordStart);
    EXPECT_EQ(matchOf("sync", "PebbleSync"), Match::wordStart);
    EXPECT_EQ(matchOf("bor", "Harbor VPN"), Match::substring);
    EXPECT_EQ(matchOf("hvpn", "Harbor VPN"), Match::lettersInOrder);
    EXPECT_EQ(matchOf("nvph", "Harbor VPN"), std::nullopt);
    EXPECT_EQ(matchOf("", "Harbor VPN"), std::nullopt);

    EXPECT_EQ(found("ha", {{"Shade", "Shade"},
                           {"Rhyme Lab", "Rhyme Lab"},
                           {"Harbor VPN", "Harbor VPN"},
                           {"Lumen", "Lumen"},
                           {"Big Hat", "Big Hat"}}),
              (std::vector<std::string>{"Harbor VPN", "Big Hat", "Shade", "Rhyme Lab"}));
}

TEST(ItemSearchMatcher, theApplicationsNameFindsAnItemAsItsOwnNameDoesAndTheBetterHoldCounts) {
    EXPECT_EQ(found("orr", {{"Moon Phase", "Orrery"}, {"Sorrel", "Sorrel"}}),
              (std::vector<std::string>{"Moon Phase", "Sorrel"}));
    // A substring of its own name, but the application's name begins with it.
    EXPECT_EQ(found("drafts", {{"Quill Drafts Pad", "Quill"}, {"Notes", "Drafts"}}),
              (std::vector<std::string>{"Notes", "Quill Drafts Pad"}));
}

TEST(ItemSearchMatcher, equalHoldsGoToTheMostRecentlyUsedThenAlphabeticallyThenAsGiven) {
    EXPECT_EQ(found("m", {{"Mossgrid", "Mossgrid"},
                          {"mail", "Kestrel", 0},
                          {"Émile", "Émile"},
                          {"Memory", "Emberstat", 3},
                          {"Maps", "Wayfarer", 7},
                          {"Mail", "Kestrel", 0}}),
              (std::vector<std::string>{"Maps", "Memory", "mail", "Mail", "Mossgrid", "Émile"}));
}

TEST(ItemSearchMatcher, textWithNoWeightListsEveryItemAsGivenWhateverWasUsedLast) {
    const std::vector<Named> items{{"Orrery", "Orrery"}, {"Driftwood", "Driftwood", 9}};
    const std::vector<std::string> asGiven{"Orrery", "Driftwood"};
    EXPECT_EQ(found("", items), asGiven);
    EXPECT_EQ(found("  - ", items), asGiven);
}

TEST(ItemSearchMatcher, namesInOtherScriptsAreFoundByTheirOwnLettersWhateverTheirForm) {
    EXPECT_EQ(matchOf("ελλην", "Ελληνικά Νέα"), Match::prefix);
    EXPECT_EQ(matchOf("νεα", "Ελληνικά Νέα"), Match::wordStart);
    EXPECT_EQ(matchOf("погода", "ПОГОДА сейчас"), Match::prefix);
    EXPECT_EQ(matchOf("ёлка", "Елка"), Match::prefix);
    EXPECT_EQ(matchOf("ひらがな", "ヒラガナ"), Match::prefix);
    EXPECT_EQ(matchOf("天气", "今日天气"), Match::substring);
    EXPECT_EQ(matchOf("طقس", "تطبيق الطقس"), Match::substring);
    EXPECT_EQ(matchOf("ｗｉｆｉ", "WiFi Buddy"), Match::prefix);
}

} // namespace
} // namespace corvel
