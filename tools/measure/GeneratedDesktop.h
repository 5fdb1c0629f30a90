#pragma once

#include "sim/Scenario.h"

namespace corvel::measure {

/// A crowded desktop for measuring: the built-in applications and more,
/// until `applications` applications run `items` menu bar items in all.
/// Extra applications carry two items each while items remain to share out
/// that way, then one. The screen is wide enough to show them all.
struct GeneratedDesktop {
    static sim::Scenario scenario(int applications, int items);
};

} // namespace corvel::measure
