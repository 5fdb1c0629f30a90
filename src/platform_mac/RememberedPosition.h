#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvel::mac {

/// Where AppKit keeps a status item's position in the application's own
/// defaults. The key's form is Corvel's best knowledge, not a documented
/// fact, so it lives in this one constant and every removal says in the log
/// what it found under it: a first run on a Mac tells at once whether the
/// form is right (`defaults read app.corvel.Corvel` shows the real keys).
struct RememberedPosition {
    /// The key is this prefix followed by the autosave name.
    static constexpr std::string_view keyPrefix = "NSStatusItem Preferred Position ";

    static std::string key(std::string_view autosaveName);
    /// The log line of a removal: `removed` describes the value that was
    /// under the key, nothing when the key held none.
    static std::string logLine(std::string_view autosaveName,
                               const std::optional<std::string>& removed);
};

} // namespace corvel::mac
