#pragma once

#include "platform/SystemLog.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>

namespace corvel::app {

/// The system log, with every line also appended to a file: the tour keeps
/// its run's log beside its pictures. Thread-safe.
class MirroredSystemLog final : public platform::SystemLog {
  public:
    MirroredSystemLog(std::shared_ptr<platform::SystemLog> system,
                      const std::filesystem::path& file);
    void write(std::string_view line) override;
    bool isOpen() const { return file_.is_open(); }

  private:
    std::shared_ptr<platform::SystemLog> system_;
    std::mutex mutex_;
    std::ofstream file_;
};

} // namespace corvel::app
