#pragma once

#include "async/Executor.h"

#include <chrono>

namespace corvel::sim {

/// How long the window server takes, after a cause, before the window list
/// and the accessibility tree show its effect. On a Mac none of these land
/// inside the call that caused them; a backend that reads back at once must
/// see the old state.
struct Latencies {
    /// A stamped drop (or a person's Command-drag) until the item stands in
    /// its new place.
    async::Duration drop = std::chrono::milliseconds(30);
    /// A status item's new length until the bar is laid out again.
    async::Duration lengthChange = std::chrono::milliseconds(30);
    /// An "AXPress" or a click until another application's menu opens (or,
    /// when open, closes).
    async::Duration menuOpen = std::chrono::milliseconds(30);
    /// An Escape key press, or a click that chooses no entry, until menus close.
    async::Duration menuClose = std::chrono::milliseconds(30);

    /// Every effect inside its call, for tests about other rules.
    static Latencies none() {
        return {async::Duration{0}, async::Duration{0}, async::Duration{0}, async::Duration{0}};
    }

    friend bool operator==(const Latencies&, const Latencies&) = default;
};

} // namespace corvel::sim
