#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <variant>

namespace corvel::app {

/// Keeps Corvel to one running instance per user: two would overwrite each
/// other's store. An advisory lock on a file in the per-user folder, held for
/// the life of the process; the system releases it when the process ends,
/// however it ends, so a crash leaves nothing to clean up.
class SingleInstanceLock {
  public:
    enum class Refusal { alreadyRunning };

    /// The lock, `alreadyRunning` when another process holds it, or a message
    /// when the folder or file can't be made. The folder is made (or made
    /// again) readable by the user alone: it holds their store.
    static std::variant<std::unique_ptr<SingleInstanceLock>, Refusal, std::string>
    acquire(const std::filesystem::path& folder);

    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  private:
    explicit SingleInstanceLock(int descriptor) : descriptor_(descriptor) {}
    int descriptor_;
};

} // namespace corvel::app
