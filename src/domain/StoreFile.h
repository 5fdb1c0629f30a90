#pragma once

#include "domain/CorvelStore.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace corvel {

/// The store document on disk. Blocking file work: call it off the main
/// thread. Failures throw StoreFile::Error whose what() describes the cause.
class StoreFile {
  public:
    class Error : public std::runtime_error {
      public:
        using std::runtime_error::runtime_error;
    };

    /// The file's bytes, nothing when it cannot be read at all (no file yet,
    /// no permission, no free file descriptor, not a regular file); then
    /// `failure`, if given, says why. Reads at most one byte past the document
    /// size limit, enough for the reader to refuse an oversized file without
    /// loading it. Never blocks on a pipe or device at that path.
    static std::optional<std::string> readBytes(const std::filesystem::path& url,
                                                std::string* failure = nullptr);

    /// True when something stands at `url`, readable or not.
    static bool exists(const std::filesystem::path& url);

    /// What stands at `url`, links followed, when it is something other than
    /// a regular file: "a folder", "a named pipe", "a device", "a socket",
    /// "a loop of symbolic links".
    /// Nothing when a regular file stands there, or nothing (yet).
    static std::optional<std::string> notAFile(const std::filesystem::path& url);

    /// The path that `url` leads to once symbolic links are followed, even
    /// when the last link points at a file that does not exist yet; `url`
    /// itself when it is no link. The document is replaced there, so that a
    /// linked store stays linked.
    static std::filesystem::path resolved(const std::filesystem::path& url);

    /// Encodes `store` and replaces the file that `url` leads to in one
    /// atomic step, so readers see the whole old document or the whole new
    /// one, also after a crash or power cut. Missing folders are created for
    /// the user alone; the document is readable by the user alone. Refuses to
    /// replace anything but a regular file. A temporary file that cannot be
    /// put in place is removed, and so, after a successful write, are the
    /// temporaries of writes that a crash cut short.
    static void writeAtomically(const CorvelStore& store, const std::filesystem::path& url);

    /// Renames the regular file that `url` leads to, to a sibling
    /// "<name>.unreadable-<UTC time>" that did not exist, so that a document
    /// we could not read survives our next write. Nothing when there is no
    /// file any more; anything that is not a regular file is never renamed.
    static std::optional<std::filesystem::path>
    moveAside(const std::filesystem::path& url, std::chrono::system_clock::time_point now);

    /// The name of the temporary file for one write: ".<name>.<UUID>.tmp".
    static std::filesystem::path temporarySibling(const std::filesystem::path& url);
    /// True for names that temporarySibling() makes for `url`, and only those.
    static bool isTemporarySibling(const std::filesystem::path& candidate,
                                   const std::filesystem::path& url);

  private:
    static void removeStaleTemporaries(const std::filesystem::path& url);
};

} // namespace corvel
