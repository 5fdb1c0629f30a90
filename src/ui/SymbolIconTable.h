#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace corvel {

/// Which vendored icon file draws each platform symbol name. The names are
/// what the store and the ports carry; the files live under the ":/symbols/"
/// resource prefix. Pure data, free of the toolkit.
struct SymbolIconTable {
    struct Entry {
        std::string_view symbolName;
        /// Relative to the symbols folder, e.g. "filled/folder.svg".
        std::string_view file;
    };

    /// Every mapped name, sorted by name.
    static std::span<const Entry> entries();
    /// The file for `symbolName`, or none for a name the table lacks.
    static std::optional<std::string_view> file(std::string_view symbolName);
};

} // namespace corvel
