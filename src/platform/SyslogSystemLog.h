#pragma once

#include "platform/SystemLog.h"

namespace corvel::platform {

/// The Linux system log (syslog(3), facility user), mirrored to standard error
/// so that a person running Corvel from a terminal sees the same lines.
class SyslogSystemLog final : public SystemLog {
  public:
    SyslogSystemLog();
    ~SyslogSystemLog() override;
    void write(std::string_view line) override;
};

} // namespace corvel::platform
