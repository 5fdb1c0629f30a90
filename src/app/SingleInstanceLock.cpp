#include "app/SingleInstanceLock.h"

#include "domain/PrivateFolders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace corvel::app {

std::variant<std::unique_ptr<SingleInstanceLock>, SingleInstanceLock::Refusal, std::string>
SingleInstanceLock::acquire(const std::filesystem::path& folder) {
    try {
        PrivateFolders::create(folder);
    } catch (const std::system_error& error) {
        return std::string("Corvel can't start: ") + error.what();
    }
    // A folder that an older Corvel made readable by everyone becomes private.
    ::chmod(folder.c_str(), 0700);
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
