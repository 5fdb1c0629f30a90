#include "domain/PrivateFolders.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace corvel {

namespace {

[[noreturn]] void cannotCreate(const std::filesystem::path& folder, int error) {
    throw std::system_error(error, std::generic_category(),
                            "could not create the folder " + folder.string());
}

} // namespace

void PrivateFolders::create(const std::filesystem::path& folder) {
    std::filesystem::path prefix;
    for (const auto& part : folder) {
        prefix /= part;
        if (::mkdir(prefix.c_str(), 0700) == 0)
            continue;
        if (errno != EEXIST)
            cannotCreate(prefix, errno);
        struct stat status {};
        if (::stat(prefix.c_str(), &status) != 0)
            cannotCreate(prefix, errno);
        if (!S_ISDIR(status.st_mode))
            cannotCreate(prefix, ENOTDIR);
    }
}

} // namespace corvel
