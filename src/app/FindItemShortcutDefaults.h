#pragma once

#include "domain/KeyboardShortcut.h"
#include "platform/SystemLog.h"

#include <QSettings>
#include <optional>

namespace corvel::app {

/// Find Item…'s shortcut in the user's defaults (the settings window keeps
/// its frame there too), not in the store document: it is a preference of
/// this Mac's keyboard, not part of the Groups. The value is the shortcut's
/// JSON form, or empty text once the person has cleared it; without a value
/// the shortcut is FindItemHotKey's default. Main thread only.
struct FindItemShortcutDefaults {
    static constexpr const char* key = "FindItemShortcut";

    /// The kept shortcut; the default when none is kept, and, with a line
    /// in the log, when the kept one cannot be read.
    static std::optional<KeyboardShortcut> load(QSettings& defaults, platform::SystemLog& log);
    /// Writes it through at once; a failed write is logged.
    static void save(QSettings& defaults, const std::optional<KeyboardShortcut>& shortcut,
                     platform::SystemLog& log);
};

} // namespace corvel::app
