#pragma once

#include "backend_mac26/MenuBarWindowInfo.h"
#include "platform/PlatformValue.h"

#include <cstdint>
#include <vector>

namespace corvel {

/// The reading rules for one window-list answer (pure). The list is loosely
/// typed: any key may be missing or of the wrong type. A window without a
/// layer equal to `layer` or without a window number that fits 32 bits is
/// skipped; a missing owner becomes -1, a missing name "", and bounds exist
/// only when all four numbers are there and finite.
class MenuBarWindowListReader {
  public:
    /// Anything but an array gives an empty list; entries that are not
    /// dictionaries are skipped. Keeps the list's order.
    static std::vector<MenuBarWindowInfo> windows(const platform::PlatformValue* list,
                                                  std::int64_t layer);
    /// The same into `windows`, reusing the records (and their names'
    /// storage) of the previous read, so that a poll of a still bar
    /// allocates nothing.
    static void read(const platform::PlatformValue* list, std::int64_t layer,
                     std::vector<MenuBarWindowInfo>& windows);
    /// One entry, or nothing when the rules skip it.
    static std::optional<MenuBarWindowInfo> window(const platform::PlatformValue& entry,
                                                   std::int64_t layer);
    /// The same into `window`; false (and `window` unspecified) when the
    /// rules skip the entry.
    static bool read(const platform::PlatformValue& entry, std::int64_t layer,
                     MenuBarWindowInfo& window);
};

} // namespace corvel
