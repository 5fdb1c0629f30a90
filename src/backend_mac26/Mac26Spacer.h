#pragma once

#include "platform/StatusBar.h"
#include "platform/StatusItem.h"

#include <memory>
#include <string_view>

namespace corvel {

/// The hidden-region spacer: a status item of Corvel's own whose button
/// shows nothing. At rest it is narrow; widened, it pushes every item to
/// its left off the screen.
class Mac26Spacer {
  public:
    static constexpr double restingLength = 24.0;
    static constexpr double hiddenLength = 10000.0;

    /// A new spacer of `length`, named namespace + "-HiddenRegionSpacer"
    /// (autosave name and accessibility title), empty title, no image.
    /// Main thread.
    static std::shared_ptr<platform::StatusItem> create(platform::StatusBar& statusBar,
                                                        std::string_view nameSpace, double length);
};

} // namespace corvel
