#pragma once

#include "sim/Scenario.h"

#include <string>

namespace corvel::measure {

/// A crowded desktop for measuring: the built-in applications and more,
/// until `applications` applications run `items` menu bar items in all.
/// Extra applications carry two items each while items remain to share out
/// that way, then one. The screen is wide enough to show them all.
struct GeneratedDesktop {
    /// As a scenario document, for the application's --scenario.
    static std::string json(int applications, int items);
    static sim::Scenario scenario(int applications, int items);
};

} // namespace corvel::measure
