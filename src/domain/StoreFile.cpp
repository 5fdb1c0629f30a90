#include "domain/StoreFile.h"

#include "domain/PrivateFolders.h"
#include "domain/StoreDocument.h"
#include "domain/Uuid.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace corvel {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, int error) {
    throw StoreFile::Error(what + " " + path.string() + ": " + std::strerror(error));
}

/// Owns one file descriptor.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    /// Closes now and reports the result: on some file systems close() is
    /// where a failed write first shows.
    int close() { return ::close(std::exchange(fd_, -1)); }

  private:
    int fd_;
};

void createFolders(const std::filesystem::path& folder) {
    try {
        PrivateFolders::create(folder);
    } catch (const std::system_error& error) {
        throw StoreFile::Error(error.what());
    }
}

/// Names what a non-regular file is, for messages; nothing for a regular file.
std::optional<std::string> kindOf(const struct stat& status) {
    if (S_ISREG(status.st_mode))
        return std::nullopt;
    if (S_ISDIR(status.st_mode))
        return "a folder";
    if (S_ISFIFO(status.st_mode))
        return "a named pipe";
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return "a device";
    if (S_ISSOCK(status.st_mode))
        return "a socket";
    return "not a regular file";
}

/// Throws unless `target` is a regular file or missing: replacing or
/// renaming anything else would hide what the person keeps there.
void requireFileOrNothing(const std::filesystem::path& target, const std::string& what) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0)
        return;
    if (auto kind = kindOf(status))
        throw StoreFile::Error(what + " " + target.string() + ": it is " + *kind + ", not a file");
}

void writeAll(int fd, const std::string& bytes, const std::filesystem::path& path) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            fail("could not write", path, errno);
        }
        written += static_cast<std::size_t>(count);
    }
}

void writeTemporary(const std::filesystem::path& temporary, const std::string& bytes) {
    // Exclusive creation refuses an existing file or link under the name, so
    // nobody can point our write elsewhere.
    Descriptor file(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.valid())
        fail("could not create", temporary, errno);
    writeAll(file.get(), bytes, temporary);
    // The data must be on disk before the rename makes it the document, or a
    // power cut could leave an empty store under the real name.
    if (::fsync(file.get()) != 0)
        fail("could not flush", temporary, errno);
    if (file.close() != 0)
        fail("could not close", temporary, errno);
}

void syncFolder(const std::filesystem::path& folder) {
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!directory.valid())
        fail("could not open the folder", folder, errno);
    if (::fsync(directory.get()) != 0)
        fail("could not flush the folder", folder, errno);
}

std::string utcStamp(std::chrono::system_clock::time_point now) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::filesystem::path folderOf(const std::filesystem::path& url) {
    auto folder = url.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace

std::optional<std::string> StoreFile::readBytes(const std::filesystem::path& url,
                                                std::string* failure) {
    auto fail = [&](const std::string& why) -> std::optional<std::string> {
        if (failure)
            *failure = why;
        return std::nullopt;
    };
    Descriptor file(::open(url.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.valid())
        return fail(std::strerror(errno));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return fail(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return fail("not a regular file");
    std::string bytes;
    char buffer[64 * 1024];
    while (bytes.size() <= StoreDocument::maxBytes) {
        ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return fail(std::strerror(errno));
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

bool StoreFile::exists(const std::filesystem::path& url) {
    struct stat status {};
    return ::lstat(url.c_str(), &status) == 0;
}

std::optional<std::string> StoreFile::notAFile(const std::filesystem::path& url) {
    struct stat status {};
    if (::stat(url.c_str(), &status) == 0)
        return kindOf(status);
    if (errno == ELOOP)
        return "a loop of symbolic links";
    return std::nullopt;
}

std::filesystem::path StoreFile::resolved(const std::filesystem::path& url) {
    // As many hops as the system itself follows before giving up (ELOOP).
    constexpr int maxHops = 40;
    std::filesystem::path current = url;
    for (int hop = 0; hop < maxHops; ++hop) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        std::error_code error;
        auto target = std::filesystem::read_symlink(current, error);
        if (error)
            fail("could not follow the link", current, error.value());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    fail("could not follow the link", url, ELOOP);
}

std::filesystem::path StoreFile::temporarySibling(const std::filesystem::path& url) {
    return folderOf(url) / ("." + url.filename().string() + "." + Uuid::random().text() + ".tmp");
}

void StoreFile::writeAtomically(const CorvelStore& store, const std::filesystem::path& url) {
    std::string bytes;
    try {
        bytes = StoreDocument::encode(store);
    } catch (const std::exception& error) {
        throw Error(std::string("could not encode the store: ") + error.what());
    }
    const auto target = resolved(url);
    requireFileOrNothing(target, "could not replace");
    auto folder = folderOf(target);
    createFolders(folder);
    auto temporary = temporarySibling(target);
    try {
        writeTemporary(temporary, bytes);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            fail("could not replace", target, errno);
    } catch (const Error&) {
        ::unlink(temporary.c_str());
        throw;
    }
    // Makes the rename itself survive a power cut.
    syncFolder(folder);
    removeStaleTemporaries(target);
}

bool StoreFile::isTemporarySibling(const std::filesystem::path& candidate,
                                   const std::filesystem::path& url) {
    const std::string prefix = "." + url.filename().string() + ".";
    const std::string suffix = ".tmp";
    const std::string name = candidate.filename().string();
    if (name.size() != prefix.size() + 36 + suffix.size())
        return false;
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    return Uuid::parse(std::string_view(name).substr(prefix.size(), 36)).has_value();
}

void StoreFile::removeStaleTemporaries(const std::filesystem::path& url) {
    // Best effort: a leftover that cannot be removed now is tried again next time.
    std::error_code error;
    std::filesystem::directory_iterator entries(folderOf(url), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (isTemporarySibling(entries->path(), url))
            ::unlink(entries->path().c_str());
    }
}

std::optional<std::filesystem::path>
StoreFile::moveAside(const std::filesystem::path& url, std::chrono::system_clock::time_point now) {
    const auto target = resolved(url);
    requireFileOrNothing(target, "could not move aside");
    auto base = target.string() + ".unreadable-" + utcStamp(now);
    std::filesystem::path aside = base;
    for (int attempt = 2; ::access(aside.c_str(), F_OK) == 0; ++attempt)
        aside = base + "-" + std::to_string(attempt);
    if (::rename(target.c_str(), aside.c_str()) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        fail("could not move aside", target, errno);
    }
    return aside;
}

} // namespace corvel
