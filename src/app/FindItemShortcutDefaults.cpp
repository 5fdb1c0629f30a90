#include "app/FindItemShortcutDefaults.h"

#include "engine/FindItemHotKey.h"

#include <nlohmann/json.hpp>

namespace corvel::app {

std::optional<KeyboardShortcut> FindItemShortcutDefaults::load(QSettings& defaults,
                                                               platform::SystemLog& log) {
    const QVariant kept = defaults.value(key);
    if (!kept.isValid())
        return FindItemHotKey::defaultShortcut;
    const std::string text = kept.toString().toStdString();
    if (text.empty())
        return std::nullopt;
    try {
        return nlohmann::json::parse(text).get<KeyboardShortcut>();
    } catch (const std::exception& error) {
        log.write("Corvel: the kept shortcut of Find Item\u2026 is unreadable, so the default "
                  "answers — " +
                  std::string(error.what()));
        return FindItemHotKey::defaultShortcut;
    }
}

void FindItemShortcutDefaults::save(QSettings& defaults,
                                    const std::optional<KeyboardShortcut>& shortcut,
                                    platform::SystemLog& log) {
    const std::string text = shortcut ? nlohmann::json(*shortcut).dump() : std::string();
    defaults.setValue(key, QString::fromStdString(text));
    defaults.sync();
    if (defaults.status() != QSettings::NoError)
        log.write("Corvel: failed to keep the shortcut of Find Item\u2026 in " +
                  defaults.fileName().toStdString());
}

} // namespace corvel::app
