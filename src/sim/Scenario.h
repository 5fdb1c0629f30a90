#pragma once

#include "async/Executor.h"
#include "platform/ActivationPolicy.h"
#include "platform/PlatformValue.h"
#include "sim/ItemFaults.h"
#include "sim/Latencies.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvel::sim {

/// Everything a simulated desktop starts from: the display, permissions,
/// applications with their menu extras, leftovers of an earlier run and the
/// fault switches. Loaded from JSON (ScenarioLoader) or built by a test.
struct Scenario {
    enum class Permission { granted, denied, grantedOnRequest };

    struct Screen {
        double width = 1512;
        double height = 982;
        double menuBarHeight = 24;
        /// Empty space between the rightmost item and the screen's edge.
        double rightInset = 8;
    };

    struct Extra {
        /// Empty: the platform's own name, "Item-" and a per-process count.
        std::string autosaveName;
        std::string title;
        std::string accessibilityTitle;
        std::string description;
        std::string identifier;
        double width = 28;
        /// Items that can't be moved stay at the right end of the bar.
        bool movable = true;
        std::vector<std::string> menu;
        ItemFaults faults;
    };

    struct Application {
        std::string name;
        std::optional<std::string> bundleIdentifier;
        /// The process name that killall matches; defaults to `name`.
        std::string executable;
        platform::ActivationPolicy activationPolicy = platform::ActivationPolicy::accessory;
        std::optional<std::int32_t> pid;
        bool running = true;
        /// The process that hosts the status bar; its exit clears leftovers.
        bool statusBarHost = false;
        /// Relaunched this long after it exits, as a system service is.
        std::optional<async::Duration> relaunchAfter;
        /// "#RRGGBB" for its icon and its items' pictures; empty: derived.
        std::string color;
        std::vector<Extra> extras;
    };

    struct Leftover {
        std::string name;
        double width = 24;
        /// A process that no longer runs.
        std::int32_t ownerPid = 0;
    };

    /// A key combination held by the system or by another application.
    struct HotKey {
        static constexpr const char* system = "system";

        std::uint32_t keyCode = 0;
        /// Carbon modifier bits (platform::HotKeyModifiers).
        std::uint32_t modifiers = 0;
        /// `system`, or an application's bundle identifier or name: an
        /// application holds it while it runs.
        std::string heldBy;
    };

    Screen screen;
    Permission accessibility = Permission::granted;
    Permission screenRecording = Permission::granted;
    /// How this process shows in the workspace; a scenario names it.
    Application self;
    /// Delays of status items created through the status bar port.
    async::Duration registrationDelay = std::chrono::milliseconds(30);
    async::Duration settleTime{0};
    /// Faults of items created through the status bar port, by autosave name.
    std::map<std::string, ItemFaults> faultsByAutosaveName;
    /// Between a cause and its effect in the window list, by kind.
    Latencies latencies;
    /// Status item windows belong to the status bar host, not their creator.
    bool hostStatusItemsInHost = false;
    bool restartKeepsLeftovers = false;
    bool launchFails = false;
    bool captureFails = false;
    async::Duration killallRunTime = std::chrono::milliseconds(20);
    std::map<std::string, std::string> environment;
    /// What the wall clock reads at start (a fixed day, so pictures' times
    /// are the same in every run).
    std::chrono::system_clock::time_point wallClockStart =
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours{9} +
        std::chrono::minutes{41};
    /// This process's remembered places: distance from the screen's right
    /// edge to an item's right edge, by autosave name.
    std::map<std::string, double> rememberedPositions;
    std::vector<std::string> missingSymbols;
    std::vector<Application> applications;
    std::vector<Leftover> leftovers;
    std::vector<HotKey> hotKeys;
    /// Raw window dictionaries appended to every window-list read.
    std::vector<platform::PlatformValue> extraWindows;
};

} // namespace corvel::sim
