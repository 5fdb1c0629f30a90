#include "app/SingleInstanceLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace corvel::app {

std::variant<std::unique_ptr<SingleInstanceLock>, SingleInstanceLock::Refusal, std::string>
SingleInstanceLock::acquire(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return "Corvel can't create " + folder.string() + ": " + error.message();
    const auto path = folder / "corvel.lock";
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return "Corvel can't open " + path.string() + ": " + std::strerror(errno);
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::close(descriptor);
        if (reason == EWOULDBLOCK)
            return Refusal::alreadyRunning;
        return "Corvel can't lock " + path.string() + ": " + std::strerror(reason);
    }
    return std::unique_ptr<SingleInstanceLock>(new SingleInstanceLock(descriptor));
}

SingleInstanceLock::~SingleInstanceLock() {
    ::close(descriptor_);
}

} // namespace corvel::app
