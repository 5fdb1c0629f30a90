#pragma once

#include <string_view>

namespace corvel::platform {

/// The system log. Each call writes one line; callers pass lines that begin
/// with "Corvel: ". Implementations are thread-safe.
class SystemLog {
  public:
    virtual ~SystemLog() = default;
    virtual void write(std::string_view line) = 0;
};

} // namespace corvel::platform
