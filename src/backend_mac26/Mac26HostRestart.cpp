#include "backend_mac26/Mac26HostRestart.h"

#include "async/Sleep.h"

#include <string>
#include <vector>

namespace corvel {

async::Task<void>
Mac26HostRestart::restartControlCenter(std::shared_ptr<platform::Processes> processes) {
    const auto pid = processes->launch(std::string(executable),
                                       std::vector<std::string>{std::string(hostProcessName)});
    if (pid) {
        auto exit = processes->waitUntilExit(*pid);
        co_await std::move(exit);
    }
    co_await async::sleepFor(settleTime);
}

} // namespace corvel
