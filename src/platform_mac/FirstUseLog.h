#pragma once

#include "platform/SystemLog.h"

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace corvel::mac {

/// Writes a line once per subject, at the first time it comes up: how the
/// binding says that something nobody could confirm without a Mac was met
/// (an undocumented event field set, a platform constant that reads
/// otherwise than assumed), loudly enough to be found in the log and without
/// repeating it at every poll. Thread-safe.
class FirstUseLog {
  public:
    explicit FirstUseLog(std::shared_ptr<platform::SystemLog> log) : log_(std::move(log)) {}

    /// Writes `line` when `subject` has not come up before; answers whether
    /// it wrote.
    bool once(std::string_view subject, std::string_view line);
    platform::SystemLog& log() const { return *log_; }

  private:
    std::shared_ptr<platform::SystemLog> log_;
    std::mutex mutex_;
    std::set<std::string, std::less<>> seen_;
};

} // namespace corvel::mac
