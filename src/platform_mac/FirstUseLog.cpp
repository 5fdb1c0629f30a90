#include "platform_mac/FirstUseLog.h"

namespace corvel::mac {

bool FirstUseLog::once(std::string_view subject, std::string_view line) {
    {
        std::lock_guard lock(mutex_);
        if (!seen_.emplace(subject).second)
            return false;
    }
    log_->write(line);
    return true;
}

} // namespace corvel::mac
