#pragma once

#include "domain/CorvelStore.h"
#include "engine/StoreNotice.h"
#include "platform/SystemLog.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>

namespace corvel {

/// Puts numbered snapshots of the store on disk, one at a time and never out
/// of order: a snapshot numbered lower than one already written is dropped,
/// so an older state cannot land over a newer one, and a snapshot already on
/// disk is not written twice. Shared by the group store and its in-flight
/// writes; write() runs on a background thread.
class StoreWriter {
  public:
    using WallClock = std::function<std::chrono::system_clock::time_point()>;
    using Notify = std::function<void(const StoreNotice&)>;

    /// `keepExistingDocument`: the file at `url` holds a document we could not
    /// read; it is moved aside, once, before the first write replaces it.
    /// `log` must outlive every write; `wallClock` and `notify` are called
    /// from the thread that writes. `notify` hears of the first failure after
    /// a success (or since the start) and of the first success after a
    /// failure, so a person is told once, not at every change.
    StoreWriter(std::filesystem::path url, platform::SystemLog& log, WallClock wallClock,
                bool keepExistingDocument, Notify notify = {});

    /// Any thread; blocks while another write is under way. Failures are
    /// logged, never thrown. A snapshot numbered no higher than the last one
    /// written is dropped.
    void write(std::uint64_t sequence, const CorvelStore& snapshot);

  private:
    /// False when the document could not be moved aside; writing over it
    /// would destroy the user's data.
    bool keepExistingDocument();
    void failed(const std::string& description);
    void succeeded();

    const std::filesystem::path url_;
    platform::SystemLog& log_;
    const WallClock wallClock_;
    const Notify notify_;

    std::mutex mutex_;
    bool mustKeepExisting_;
    bool failing_ = false;
    std::uint64_t lastWritten_ = 0;
};

} // namespace corvel
