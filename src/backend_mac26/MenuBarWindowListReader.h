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
    /// One entry, or nothing when the rules skip it.
    static std::optional<MenuBarWindowInfo> window(const platform::PlatformValue& entry,
                                                   std::int64_t layer);
};

} // namespace corvel
