#pragma once

#include "platform/MonitoredEvent.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace corvel::platform {

/// Global monitors of input events addressed to other applications: events
/// that reach this application itself are never reported. Main thread only.
class GlobalEventMonitor {
  public:
    /// Event mask bits, with the platform's values.
    static constexpr std::uint64_t leftMouseDownMask = 1u << 1;
    static constexpr std::uint64_t rightMouseDownMask = 1u << 3;
    static constexpr std::uint64_t keyDownMask = 1u << 10;

    using Token = std::uint64_t;
    /// Runs on the main thread; it may remove its own monitor.
    using Handler = std::function<void(const MonitoredEvent&)>;

    virtual ~GlobalEventMonitor() = default;

    /// Nothing when the platform refuses the monitor.
    virtual std::optional<Token> addGlobalMonitor(std::uint64_t mask, Handler handler) = 0;
    /// Removing an unknown or removed token does nothing.
    virtual void removeMonitor(Token token) = 0;
};

} // namespace corvel::platform
