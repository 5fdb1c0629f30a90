#pragma once

#include "sim/Scenario.h"

#include <stdexcept>
#include <string>

namespace corvel::sim {

/// A scenario document that can't be read; the message names the place.
class ScenarioError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Reads scenario documents (the format is written out in docs/simulator.md).
/// Unknown keys are errors, so that a misspelt switch doesn't silently stay
/// off.
class ScenarioLoader {
  public:
    static Scenario fromJson(const std::string& text);
    static Scenario fromFile(const std::string& path);
    /// The built-in desktop: a dozen fictional applications and Control
    /// Center.
    static Scenario defaultScenario();
};

} // namespace corvel::sim
