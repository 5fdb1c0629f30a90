#pragma once

#include "backend/ItemFrame.h"
#include "platform/Point.h"
#include "platform/Screens.h"

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>
#include <optional>

namespace corvel {

/// What the Strip and the item search share as panels that float under an
/// icon of the menu bar: the window they are, and where they stand. Main
/// thread only.
struct FloatingPanel {
    /// Where a panel's top-left corner goes on Qt's screen, given its frame
    /// origin in the window system's bottom-left screen coordinates and its
    /// size. The application supplies the one mapping that fits its screens.
    using ScreenMapping =
        std::function<QPoint(const platform::Point& bottomLeftOrigin, const QSize& panelSize)>;

    /// A frameless tool window above other windows, not movable, with a
    /// clear background over which the window system draws its material;
    /// it never activates the application when clicked (a tool window is a
    /// non-activating panel on the platform) and keeps showing while another
    /// application is active.
    static constexpr Qt::WindowFlags windowFlags =
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

    /// Sets what windowFlags cannot: the clear background, staying shown,
    /// taking the keyboard.
    static void configure(QWidget& panel);

    /// Puts the panel under `anchor`: its left edge on the icon's, its top
    /// edge a little under the icon. Without an anchor or a main screen it is
    /// centred on Qt's primary screen. With `keepOnScreen` a panel too wide
    /// for the room right of the icon moves left until it fits.
    static void place(QWidget& panel, const std::optional<ItemFrame>& anchor,
                      platform::Screens* screens, const ScreenMapping& mapping,
                      bool keepOnScreen = false);

    /// Takes the bottom-left origin as the top-left position unchanged; for
    /// tests, where nothing is drawn on a real screen.
    static ScreenMapping identityMapping();
};

} // namespace corvel
