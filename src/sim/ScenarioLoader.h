#pragma once

#include "sim/Scenario.h"

#include <stdexcept>
#include <string>
#include <vector>

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
    /// The built-in desktop as macOS 26 behaves: a dozen fictional
    /// applications and Control Center, which hosts every status item
    /// window; bounds settle about 100 ms after an item registers.
    static Scenario defaultScenario();
    /// The built-in desktop's document, which defaultScenario() reads.
    static const char* defaultJson();
    /// The same desktop as earlier systems show it: each status item window
    /// is owned by the application that made it.
    static Scenario unhostedScenario();

    static constexpr const char* defaultName = "default";
    static constexpr const char* unhostedName = "unhosted";
    /// Names of the built-in scenarios, for suites that run against each
    /// (for example as a gtest parameter).
    static std::vector<std::string> builtInNames();
    /// The built-in scenario of that name; ScenarioError for any other.
    static Scenario builtIn(const std::string& name);
};

} // namespace corvel::sim
