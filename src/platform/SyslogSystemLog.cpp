#include "platform/SyslogSystemLog.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <syslog.h>

namespace corvel::platform {

namespace {
std::mutex stderrMutex;
}

SyslogSystemLog::SyslogSystemLog() {
    openlog("corvel", LOG_PID, LOG_USER);
}

SyslogSystemLog::~SyslogSystemLog() {
    closelog();
}

void SyslogSystemLog::write(std::string_view line) {
    std::string text(line);
    syslog(LOG_NOTICE, "%s", text.c_str());
    std::lock_guard lock(stderrMutex);
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace corvel::platform
