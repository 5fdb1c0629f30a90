#include "engine/StoreWriter.h"

#include "domain/StoreFile.h"

namespace corvel {

StoreWriter::StoreWriter(std::filesystem::path url, platform::SystemLog& log, WallClock wallClock,
                         bool keepExistingDocument, Notify notify)
    : url_(std::move(url)), log_(log), wallClock_(std::move(wallClock)), notify_(std::move(notify)),
      mustKeepExisting_(keepExistingDocument) {}

void StoreWriter::write(std::uint64_t sequence, const CorvelStore& snapshot) {
    std::lock_guard lock(mutex_);
    if (sequence <= lastWritten_)
        return;
    if (!keepExistingDocument())
        return;
    try {
        StoreFile::writeAtomically(snapshot, url_);
        lastWritten_ = sequence;
        succeeded();
    } catch (const StoreFile::Error& error) {
        failed(error.what());
    }
}

bool StoreWriter::keepExistingDocument() {
    if (!mustKeepExisting_)
        return true;
    try {
        if (auto aside = StoreFile::moveAside(url_, wallClock_()))
            log_.write("Corvel: moved the unreadable store at " + url_.string() + " aside to " +
                       aside->string());
        mustKeepExisting_ = false;
        return true;
    } catch (const StoreFile::Error& error) {
        failed(error.what());
        return false;
    }
}

void StoreWriter::failed(const std::string& description) {
    log_.write("Corvel: failed to write the store to " + url_.string() + " \u2014 " + description);
    if (failing_)
        return;
    failing_ = true;
    if (notify_)
        notify_(StoreNotice::writeFailed(url_, description));
}

void StoreWriter::succeeded() {
    if (!failing_)
        return;
    failing_ = false;
    log_.write("Corvel: wrote the store to " + url_.string() + " again");
    if (notify_)
        notify_(StoreNotice::writingAgain(url_));
}

} // namespace corvel
