#pragma once

#include "platform/Screens.h"

namespace corvel::mac {

/// The displays. Thread-safe: the frame comes from CoreGraphics, which
/// counts from the top left of the display that holds the menu bar.
class MacScreens final : public platform::Screens {
  public:
    std::optional<platform::Rect> mainScreenFrame() const override;

    /// The height of AppKit's first screen (the one with the menu bar, which
    /// is not necessarily `mainScreen`), about which AppKit's bottom-left
    /// coordinates flip into the ports'. Main thread only.
    static double menuBarScreenHeight();
};

} // namespace corvel::mac
