#pragma once

#include <optional>
#include <string>

namespace corvel::mac {

/// The integer fields of synthetic events that the platform documents, and
/// what the binding says when a field it does not document is set. Every
/// field is handed to the platform as it was set; an undocumented one is
/// only named in the log, once, so that a first run on a Mac shows it was
/// used if moves misbehave.
struct StampedEventFields {
    static bool isDocumented(int field);
    /// The log line for the first use of `field`; nothing for documented
    /// fields.
    static std::optional<std::string> firstUseNote(int field);
};

} // namespace corvel::mac
