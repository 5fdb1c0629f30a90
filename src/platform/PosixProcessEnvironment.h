#pragma once

#include "platform/ProcessEnvironment.h"

namespace corvel::platform {

/// The real environment through getenv(3) and setenv(3).
class PosixProcessEnvironment final : public ProcessEnvironment {
  public:
    std::optional<std::string> get(const std::string& name) const override;
    void set(const std::string& name, const std::string& value) override;
};

} // namespace corvel::platform
