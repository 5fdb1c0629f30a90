#pragma once

#include "sim/BarItem.h"
#include "sim/OpenMenu.h"
#include "sim/Scenario.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvel::sim {
class SimulatedDesktop;
}

namespace corvel::app {

/// Everything a person sees of the simulated display at one moment, in
/// simulated points: what the desktop window draws and the tour photographs.
struct DesktopScene {
    sim::Scenario::Screen screen;
    /// This process: its items are drawn from their own pictures only.
    std::int32_t selfPid = 0;
    /// The frontmost application, whose menus fill the left of the bar.
    std::string frontApplication;
    std::vector<std::string> frontMenus;
    std::vector<sim::BarItem> items;
    std::vector<sim::OpenMenu> menus;
    /// What the system clock's item shows: the desktop's wall clock, to the
    /// minute, as the menu bar's clock reads in the US.
    std::string clockText;

    /// The menu extra that draws the clock, by its identifier on the Mac.
    static constexpr const char* clockIdentifier = "com.apple.menuextra.clock";

    /// Reads the desktop; any thread.
    static DesktopScene of(const sim::SimulatedDesktop& desktop,
                           const sim::Scenario::Screen& screen, std::int32_t selfPid);

    /// Whether a repaint would draw the same picture.
    bool looksLike(const DesktopScene& other) const;
};

} // namespace corvel::app
