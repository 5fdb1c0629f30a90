#include "ui/SymbolIconTable.h"

#include <algorithm>
#include <array>

namespace corvel {

namespace {

// Each symbol name the product or the simulated desktop can show, with the
// Tabler icon that draws it, sorted by name. Filled symbols take Tabler's
// filled variant where it has one. No two names share a file: the palette
// must tell its symbols apart.
constexpr std::array table{
    SymbolIconTable::Entry{"app.dashed", "outline/square-dashed.svg"},
    SymbolIconTable::Entry{"arrow.clockwise", "outline/rotate-clockwise.svg"},
    SymbolIconTable::Entry{"battery.100", "outline/battery-4.svg"},
    SymbolIconTable::Entry{"bell", "outline/bell.svg"},
    SymbolIconTable::Entry{"bell.fill", "filled/bell.svg"},
    SymbolIconTable::Entry{"bolt", "outline/bolt.svg"},
    SymbolIconTable::Entry{"bolt.fill", "filled/bolt.svg"},
    SymbolIconTable::Entry{"book.fill", "filled/book.svg"},
    SymbolIconTable::Entry{"bookmark.fill", "filled/bookmark.svg"},
    SymbolIconTable::Entry{"bubble.left.fill", "filled/message-circle.svg"},
    SymbolIconTable::Entry{"calendar", "outline/calendar.svg"},
    SymbolIconTable::Entry{"camera.fill", "filled/camera.svg"},
    SymbolIconTable::Entry{"cart.fill", "filled/shopping-cart.svg"},
    SymbolIconTable::Entry{"chart.bar.fill", "outline/chart-bar.svg"},
    SymbolIconTable::Entry{"checkmark", "outline/check.svg"},
    SymbolIconTable::Entry{"checkmark.circle", "outline/circle-check.svg"},
    SymbolIconTable::Entry{"checkmark.circle.fill", "filled/circle-check.svg"},
    SymbolIconTable::Entry{"circle", "outline/circle.svg"},
    SymbolIconTable::Entry{"clock", "outline/clock.svg"},
    SymbolIconTable::Entry{"cloud.fill", "filled/cloud.svg"},
    SymbolIconTable::Entry{"cup.and.saucer.fill", "filled/mug.svg"},
    SymbolIconTable::Entry{"desktopcomputer", "outline/device-imac.svg"},
    SymbolIconTable::Entry{"display", "outline/device-desktop.svg"},
    SymbolIconTable::Entry{"doc.fill", "filled/file.svg"},
    SymbolIconTable::Entry{"ellipsis.circle", "outline/dots-circle-horizontal.svg"},
    SymbolIconTable::Entry{"envelope.fill", "filled/mail.svg"},
    SymbolIconTable::Entry{"exclamationmark", "outline/exclamation-mark.svg"},
    SymbolIconTable::Entry{"exclamationmark.triangle.fill", "filled/alert-triangle.svg"},
    SymbolIconTable::Entry{"eye", "outline/eye.svg"},
    SymbolIconTable::Entry{"eye.slash", "outline/eye-off.svg"},
    SymbolIconTable::Entry{"flag", "outline/flag.svg"},
    SymbolIconTable::Entry{"flag.fill", "filled/flag.svg"},
    SymbolIconTable::Entry{"folder", "outline/folder.svg"},
    SymbolIconTable::Entry{"folder.badge.plus", "outline/folder-plus.svg"},
    SymbolIconTable::Entry{"folder.fill", "filled/folder.svg"},
    SymbolIconTable::Entry{"gamecontroller.fill", "filled/device-gamepad-2.svg"},
    SymbolIconTable::Entry{"gearshape", "outline/settings.svg"},
    SymbolIconTable::Entry{"gearshape.fill", "filled/settings.svg"},
    SymbolIconTable::Entry{"globe", "outline/world.svg"},
    SymbolIconTable::Entry{"hammer.fill", "outline/hammer.svg"},
    SymbolIconTable::Entry{"heart.fill", "filled/heart.svg"},
    SymbolIconTable::Entry{"house.fill", "filled/home.svg"},
    SymbolIconTable::Entry{"info.circle", "outline/info-circle.svg"},
    SymbolIconTable::Entry{"keyboard", "outline/keyboard.svg"},
    SymbolIconTable::Entry{"laptopcomputer", "outline/device-laptop.svg"},
    SymbolIconTable::Entry{"leaf.fill", "filled/leaf.svg"},
    SymbolIconTable::Entry{"link", "outline/link.svg"},
    SymbolIconTable::Entry{"list.bullet", "outline/list.svg"},
    SymbolIconTable::Entry{"lock", "outline/lock.svg"},
    SymbolIconTable::Entry{"lock.fill", "filled/lock.svg"},
    SymbolIconTable::Entry{"magnifyingglass", "outline/search.svg"},
    SymbolIconTable::Entry{"menubar.rectangle", "outline/layout-navbar.svg"},
    SymbolIconTable::Entry{"message.fill", "filled/message.svg"},
    SymbolIconTable::Entry{"mic.fill", "filled/microphone.svg"},
    SymbolIconTable::Entry{"minus", "outline/minus.svg"},
    SymbolIconTable::Entry{"moon.fill", "filled/moon.svg"},
    SymbolIconTable::Entry{"music.note", "outline/music.svg"},
    SymbolIconTable::Entry{"network", "outline/network.svg"},
    SymbolIconTable::Entry{"paintbrush.fill", "outline/brush.svg"},
    SymbolIconTable::Entry{"paperplane.fill", "filled/send.svg"},
    SymbolIconTable::Entry{"pencil", "outline/pencil.svg"},
    SymbolIconTable::Entry{"person.fill", "filled/user.svg"},
    SymbolIconTable::Entry{"phone.fill", "filled/phone.svg"},
    SymbolIconTable::Entry{"photo.fill", "filled/photo.svg"},
    SymbolIconTable::Entry{"plus", "outline/plus.svg"},
    SymbolIconTable::Entry{"plus.circle.fill", "filled/circle-plus.svg"},
    SymbolIconTable::Entry{"printer.fill", "outline/printer.svg"},
    SymbolIconTable::Entry{"questionmark.circle", "outline/help-circle.svg"},
    SymbolIconTable::Entry{"shield.fill", "filled/shield.svg"},
    SymbolIconTable::Entry{"sidebar.left", "outline/layout-sidebar.svg"},
    SymbolIconTable::Entry{"speaker.wave.2.fill", "outline/volume.svg"},
    SymbolIconTable::Entry{"square.and.arrow.up", "outline/share-2.svg"},
    SymbolIconTable::Entry{"square.grid.2x2", "outline/layout-grid.svg"},
    SymbolIconTable::Entry{"square.grid.3x1.below.line.grid.1x2", "outline/layout-dashboard.svg"},
    SymbolIconTable::Entry{"star", "outline/star.svg"},
    SymbolIconTable::Entry{"star.fill", "filled/star.svg"},
    SymbolIconTable::Entry{"sun.max.fill", "filled/sun.svg"},
    SymbolIconTable::Entry{"tag.fill", "filled/tag.svg"},
    SymbolIconTable::Entry{"terminal.fill", "outline/terminal-2.svg"},
    SymbolIconTable::Entry{"trash", "outline/trash.svg"},
    SymbolIconTable::Entry{"tray", "outline/inbox.svg"},
    SymbolIconTable::Entry{"tray.full", "outline/archive.svg"},
    SymbolIconTable::Entry{"video.fill", "filled/video.svg"},
    SymbolIconTable::Entry{"wifi", "outline/wifi.svg"},
    SymbolIconTable::Entry{"wrench.and.screwdriver.fill", "outline/tools.svg"},
    SymbolIconTable::Entry{"xmark", "outline/x.svg"},
    SymbolIconTable::Entry{"xmark.circle.fill", "filled/circle-x.svg"},
};

} // namespace

std::span<const SymbolIconTable::Entry> SymbolIconTable::entries() {
    return table;
}

std::optional<std::string_view> SymbolIconTable::file(std::string_view symbolName) {
    auto found = std::lower_bound(
        table.begin(), table.end(), symbolName,
        [](const Entry& entry, std::string_view name) { return entry.symbolName < name; });
    if (found == table.end() || found->symbolName != symbolName)
        return std::nullopt;
    return found->file;
}

} // namespace corvel
