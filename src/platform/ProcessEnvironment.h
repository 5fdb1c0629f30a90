#pragma once

#include <optional>
#include <string>

namespace corvel::platform {

/// This process's environment variables. Called on the main thread.
class ProcessEnvironment {
  public:
    virtual ~ProcessEnvironment() = default;
    virtual std::optional<std::string> get(const std::string& name) const = 0;
    /// Overwrites any value the variable had.
    virtual void set(const std::string& name, const std::string& value) = 0;
};

} // namespace corvel::platform
