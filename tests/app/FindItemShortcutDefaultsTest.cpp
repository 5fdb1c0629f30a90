#include "app/FindItemShortcutDefaults.h"

#include "engine/FindItemHotKey.h"
#include "support/MemoryLog.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace corvel;
using app::FindItemShortcutDefaults;

TEST(FindItemShortcutDefaultsTest,
     aKeptOrClearedShortcutReadsBackAndAnUnreadableOneGivesTheDefault) {
    test::TemporaryFolder folder;
    test::MemoryLog log;
    const auto file = QString::fromStdString((folder / "defaults.ini").string());
    {
        QSettings defaults(file, QSettings::IniFormat);
        EXPECT_EQ(FindItemShortcutDefaults::load(defaults, log), FindItemHotKey::defaultShortcut);
        FindItemShortcutDefaults::save(defaults, KeyboardShortcut{3, 0xC0000}, log);
    }
    {
        QSettings defaults(file, QSettings::IniFormat);
        EXPECT_EQ(FindItemShortcutDefaults::load(defaults, log), (KeyboardShortcut{3, 0xC0000}));
        FindItemShortcutDefaults::save(defaults, std::nullopt, log);
    }
    {
        QSettings defaults(file, QSettings::IniFormat);
        EXPECT_EQ(FindItemShortcutDefaults::load(defaults, log), std::nullopt) << "cleared";
        EXPECT_TRUE(log.lines().empty());
        defaults.setValue(FindItemShortcutDefaults::key, R"({"keyCode": "F"})");
        EXPECT_EQ(FindItemShortcutDefaults::load(defaults, log), FindItemHotKey::defaultShortcut);
    }
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].starts_with(
        "Corvel: the kept shortcut of Find Item\u2026 is unreadable, so the default answers — "))
        << log.lines()[0];
}
