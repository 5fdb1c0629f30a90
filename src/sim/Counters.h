#pragma once

namespace corvel::sim {

/// What happened so far, for tests.
struct Counters {
    /// Drags that reached a drop target (moved or not).
    int drags = 0;
    /// Stamped plain clicks on status item windows.
    int wakeUps = 0;
    /// "AXPress" actions performed.
    int presses = 0;
    /// Escape key presses that reached the window server.
    int escapes = 0;
    /// A person's key presses that a hot key took (the system's, another
    /// application's or this process's), so that no window saw them.
    int hotKeyPresses = 0;
    /// Relaunches of processes that exited (Control Center restarts).
    int restarts = 0;
    /// Successful process launches.
    int launches = 0;
    int accessibilityPrompts = 0;
    int screenRecordingRequests = 0;
    int captures = 0;
    /// Synthetic events posted, all of them, also those no longer kept in
    /// the record of posts.
    long long posts = 0;
};

} // namespace corvel::sim
