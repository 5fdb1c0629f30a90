#pragma once

#include "platform/SystemLog.h"

#include <os/log.h>

namespace corvel::mac {

/// The unified system log (os_log), under the subsystem of Corvel's bundle
/// identifier, mirrored to standard error so that a person running Corvel
/// from a terminal sees the same lines. Lines are written public: they name
/// windows and applications, never anything a person typed. Thread-safe.
class OsLogSystemLog final : public platform::SystemLog {
  public:
    OsLogSystemLog();
    void write(std::string_view line) override;

  private:
    os_log_t log_;
};

} // namespace corvel::mac
