#pragma once

#include "async/Completion.h"
#include "async/Executor.h"
#include "platform/Processes.h"
#include "platform/SystemLog.h"
#include "platform_mac/ExecutorMailbox.h"

#include <map>
#include <memory>
#include <mutex>

namespace corvel::mac {

/// Launching programs (NSTask) and this process's identifier. Thread-safe.
/// A task's end is reported on a queue of the system's; it is handed to
/// `mainExecutor`, and a waiter resumes on its own executor.
class MacProcesses final : public platform::Processes {
  public:
    MacProcesses(async::Executor& mainExecutor, std::shared_ptr<platform::SystemLog> log);
    ~MacProcesses() override;

    std::int32_t currentProcessIdentifier() const override;
    std::optional<std::int32_t> launch(const std::string& executablePath,
                                       const std::vector<std::string>& arguments) override;
    /// Waiting on a process a second time answers -1, as for a process never
    /// launched here: its exit status is handed to one waiter.
    async::Task<int> waitUntilExit(std::int32_t pid) override;

  private:
    std::shared_ptr<ExecutorMailbox> mainThread_;
    std::shared_ptr<platform::SystemLog> log_;
    std::mutex mutex_;
    std::map<std::int32_t, std::shared_ptr<async::Completion<int>>> exits_;
};

} // namespace corvel::mac
