#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

namespace corvel {

/// Something about the store document that the person must hear of, because
/// their Groups are at stake: the log alone is not read by anyone.
class StoreNotice {
  public:
    enum class Kind {
        /// The document was written by a newer Corvel: this run keeps it as
        /// it is and writes nothing.
        newerSchema,
        /// The first write that failed after writing had worked (or since
        /// launch); what changed meanwhile lives only in memory.
        writeFailed,
        /// A write worked again after failing.
        writingAgain,
    };

    static StoreNotice newerSchema(std::filesystem::path file, std::int64_t schemaVersion);
    static StoreNotice writeFailed(std::filesystem::path file, std::string reason);
    static StoreNotice writingAgain(std::filesystem::path file);

    Kind kind() const { return kind_; }
    const std::filesystem::path& file() const { return file_; }
    /// newerSchema only.
    std::int64_t schemaVersion() const { return schemaVersion_; }
    /// writeFailed only: what went wrong, in the system's words.
    const std::string& reason() const { return reason_; }

    friend bool operator==(const StoreNotice&, const StoreNotice&) = default;

  private:
    StoreNotice(Kind kind, std::filesystem::path file, std::int64_t schemaVersion,
                std::string reason)
        : kind_(kind), file_(std::move(file)), schemaVersion_(schemaVersion),
          reason_(std::move(reason)) {}

    Kind kind_;
    std::filesystem::path file_;
    std::int64_t schemaVersion_;
    std::string reason_;
};

} // namespace corvel
