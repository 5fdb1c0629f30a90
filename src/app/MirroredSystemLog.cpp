#include "app/MirroredSystemLog.h"

namespace corvel::app {

MirroredSystemLog::MirroredSystemLog(std::shared_ptr<platform::SystemLog> system,
                                     const std::filesystem::path& file)
    : system_(std::move(system)), file_(file, std::ios::out | std::ios::trunc) {}

void MirroredSystemLog::write(std::string_view line) {
    system_->write(line);
    std::lock_guard lock(mutex_);
    file_ << line << '\n';
    file_.flush();
}

} // namespace corvel::app
