#pragma once

#include "async/Executor.h"
#include "platform/ActivationPolicy.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace corvel::sim {

/// One process of the simulated desktop.
struct SimProcess {
    std::int32_t pid = 0;
    std::string name;
    std::optional<std::string> bundleIdentifier;
    /// What killall matches.
    std::string executable;
    platform::ActivationPolicy activationPolicy = platform::ActivationPolicy::accessory;
    bool running = true;
    /// Listed by the workspace (helper processes such as killall are not).
    bool isApplication = true;
    bool statusBarHost = false;
    std::optional<async::Duration> relaunchAfter;
    /// Its accessibility never answers; a relaunch is a new process that does.
    bool hung = false;
    std::array<std::uint8_t, 3> color{128, 128, 128};
    /// Index into the scenario's applications; absent for this process and
    /// for helpers.
    std::optional<std::size_t> scenarioIndex;
    /// Counts status items made, for the platform's default autosave names.
    int statusItemsMade = 0;
};

} // namespace corvel::sim
