#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace corvel::GroupSymbolPicker {

/// The symbol of a Group made in the settings window.
inline constexpr std::string_view defaultSymbol = "folder.fill";

/// The palette offered for a Group's icon, in the order shown.
inline constexpr std::array<std::string_view, 24> availableSymbols = {
    "folder.fill",
    "star.fill",
    "bolt.fill",
    "gearshape.fill",
    "message.fill",
    "hammer.fill",
    "paintbrush.fill",
    "terminal.fill",
    "network",
    "lock.fill",
    "bell.fill",
    "flag.fill",
    "music.note",
    "photo.fill",
    "cloud.fill",
    "envelope.fill",
    "calendar",
    "doc.fill",
    "cart.fill",
    "gamecontroller.fill",
    "wrench.and.screwdriver.fill",
    "shield.fill",
    "battery.100",
    "wifi",
};

/// The palette position of the cell to mark for `selection`; none for a
/// symbol outside the palette (one stored by other means), which marks no cell.
std::optional<std::size_t> markedIndex(std::string_view selection);

} // namespace corvel::GroupSymbolPicker
