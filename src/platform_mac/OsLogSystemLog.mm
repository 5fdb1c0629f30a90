#include "platform_mac/OsLogSystemLog.h"

#include <cstdio>
#include <string>

namespace corvel::mac {

OsLogSystemLog::OsLogSystemLog() : log_(os_log_create("app.corvel.Corvel", "general")) {}

void OsLogSystemLog::write(std::string_view line) {
    const std::string text(line);
    os_log_with_type(log_, OS_LOG_TYPE_DEFAULT, "%{public}s", text.c_str());
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace corvel::mac
