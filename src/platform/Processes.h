#pragma once

#include "async/Task.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel::platform {

/// Launching other programs and knowing this process. Thread-safe.
class Processes {
  public:
    virtual ~Processes() = default;

    /// This process's identifier.
    virtual std::int32_t currentProcessIdentifier() const = 0;
    /// Starts `executablePath` with `arguments`; answers its process
    /// identifier, or nothing when it could not be launched.
    virtual std::optional<std::int32_t> launch(const std::string& executablePath,
                                               const std::vector<std::string>& arguments) = 0;
    /// Resumes the caller on its own executor once the launched process has
    /// exited, with its exit status; at once for a process that has already
    /// exited or was never launched here (status -1).
    virtual async::Task<int> waitUntilExit(std::int32_t pid) = 0;
};

} // namespace corvel::platform
