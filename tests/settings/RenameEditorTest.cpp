#include "settings/RenameEditor.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace corvel {
namespace {

TEST(RenameEditorTest, NonBlankDraftsApplyTrimmedWhileTypingAndReturnMakesNoFurtherCall) {
    RenameEditor editor;
    EXPECT_EQ(editor.edit("Sun"), std::nullopt) << "edits while idle apply nothing";
    EXPECT_EQ(editor.commit(), std::nullopt);
    editor.begin("Weather");
    EXPECT_TRUE(editor.isRenaming());
    EXPECT_EQ(editor.draftName(), "Weather");

    EXPECT_EQ(editor.edit(" Sun"), "Sun");
    EXPECT_EQ(editor.edit(" Sunny \n"), "Sunny");
    EXPECT_EQ(editor.edit("  "), std::nullopt);
    EXPECT_EQ(editor.edit(" Sunny "), "Sunny");

    EXPECT_EQ(editor.commit(), std::nullopt);
    EXPECT_FALSE(editor.isRenaming());
}

TEST(RenameEditorTest, ABlankDraftPassesTheEmptyNameOnceWhenTheRenameEnds) {
    RenameEditor editor;
    editor.begin("Weather");
    EXPECT_EQ(editor.edit(""), std::nullopt);
    EXPECT_EQ(editor.edit(" \t"), std::nullopt);

    EXPECT_EQ(editor.commit(), std::string());
    EXPECT_EQ(editor.commit(), std::nullopt) << "focus loss after Return calls nothing more";
}

TEST(RenameEditorTest, EscapeEndsWithoutACallAndResetsTheDraft) {
    RenameEditor editor;
    editor.begin("Weather");
    editor.edit("");

    editor.cancel("Weather");

    EXPECT_FALSE(editor.isRenaming());
    EXPECT_EQ(editor.draftName(), "Weather");
    EXPECT_EQ(editor.commit(), std::nullopt) << "the field losing focus afterwards calls nothing";
}

} // namespace
} // namespace corvel
