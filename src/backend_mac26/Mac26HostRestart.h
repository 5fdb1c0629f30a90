#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "platform/Processes.h"

#include <chrono>
#include <memory>
#include <string_view>

namespace corvel {

/// Restarts the process that hosts the menu bar (Control Center), which
/// clears the status item windows left behind by a crashed run. Meant to run
/// off the main thread: it waits for the command to exit and then for the
/// host to come back. Reports nothing; a launch that fails shows up as
/// ghosts that remain.
class Mac26HostRestart {
  public:
    static constexpr std::string_view executable = "/usr/bin/killall";
    static constexpr std::string_view hostProcessName = "ControlCenter";
    /// How long the host gets to come back and list its windows again.
    static constexpr async::Duration settleTime = std::chrono::seconds(2);

    static async::Task<void> restartControlCenter(std::shared_ptr<platform::Processes> processes);
};

} // namespace corvel
