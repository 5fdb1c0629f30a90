#pragma once

#include "sim/Scenario.h"

#include <filesystem>

namespace corvel::app {

/// Without a display Qt draws offscreen, on a screen of its own (800 × 600
/// unless told otherwise). Making that screen the size of the simulated
/// display puts alerts and centred windows where they would stand on the
/// Mac, so pictures of the scene show them there.
class OffscreenDisplay {
  public:
    enum class When {
        /// Only when there is no display to show on.
        noDisplay,
        /// Even with a display: for runs whose product is pictures.
        always,
    };

    /// Before the QApplication exists: chooses Qt's offscreen platform with
    /// one screen of `screen`'s size, described in `configFile` (which Qt
    /// reads while the application object is made), when `when` says so
    /// and no other platform was chosen. Offscreen chosen without a screen
    /// of its own gets this one. Answers whether it did.
    static bool choose(const sim::Scenario::Screen& screen, const std::filesystem::path& configFile,
                       When when);
};

} // namespace corvel::app
