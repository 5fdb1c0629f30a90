#pragma once

#include "sim/Scenario.h"

#include <filesystem>

namespace corvel::app {

/// Without a display Qt draws offscreen, on a screen of its own. Making that
/// screen the size of the simulated display puts alerts and centred windows
/// where they would stand on the Mac, so the tour's pictures show them there.
class OffscreenDisplay {
  public:
    /// Before the QApplication exists: when there is no display and no
    /// platform was chosen, chooses Qt's offscreen platform with one screen
    /// of `screen`'s size, described in `configFile` (which Qt reads while
    /// the application object is made). Answers whether it did.
    static bool chooseWithoutDisplay(const sim::Scenario::Screen& screen,
                                     const std::filesystem::path& configFile);
};

} // namespace corvel::app
