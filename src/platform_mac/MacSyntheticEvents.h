#pragma once

#include "platform/SyntheticEvents.h"
#include "platform_mac/CoreFoundationReference.h"
#include "platform_mac/FirstUseLog.h"
#include "platform_mac/RecentTable.h"

#include <CoreGraphics/CoreGraphics.h>
#include <memory>
#include <mutex>

namespace corvel::mac {

/// Synthetic input through Quartz Event Services. The ports hand out plain
/// records of sources and events, so the binding keeps the platform's
/// objects behind them: each source and each event is created once and
/// kept, so that posting one event twice (to the session and to the owner,
/// as the stamped move does) hands the window server the very same event,
/// made from the very same source. The least recently used are released
/// past a bound; a record whose object is gone is made again from what the
/// record says. Every flag and integer field of a record is handed to the
/// platform as it was set. Thread-safe.
class MacSyntheticEvents final : public platform::SyntheticEvents {
  public:
    /// A move uses one source for its whole length; a dozen moves and
    /// Escapes may overlap with it.
    static constexpr std::size_t sourceCapacity = 16;
    /// An event lives from its creation to its second post, a few
    /// milliseconds later.
    static constexpr std::size_t eventCapacity = 64;

    explicit MacSyntheticEvents(std::shared_ptr<FirstUseLog> notes);

    std::optional<platform::EventSource>
    createSource(platform::EventSourceStateID stateID) override;
    std::optional<platform::SyntheticEvent> createMouseEvent(const platform::EventSource* source,
                                                             platform::EventType type,
                                                             platform::Point location,
                                                             platform::MouseButton button) override;
    std::optional<platform::SyntheticEvent> createKeyboardEvent(const platform::EventSource* source,
                                                                std::uint16_t keyCode,
                                                                bool keyDown) override;
    void post(platform::EventTapLocation tap, const platform::SyntheticEvent& event) override;
    void postToPid(std::int32_t pid, const platform::SyntheticEvent& event) override;

  private:
    // Each answers what it found or made; the caller holds the lock.
    CFRef<CGEventSourceRef> sourceLocked(const platform::EventSource* source);
    CFRef<CGEventRef> makeLocked(const platform::SyntheticEvent& record);
    platform::SyntheticEvent remember(CFRef<CGEventRef> event, platform::EventType type,
                                      platform::Point location,
                                      const platform::EventSource* source);
    /// The event behind the record, stamped with its flags and fields;
    /// empty when it can be neither found nor made.
    CFRef<CGEventRef> prepared(const platform::SyntheticEvent& record);

    std::shared_ptr<FirstUseLog> notes_;
    std::mutex mutex_;
    RecentTable<std::uint64_t, CFRef<CGEventSourceRef>> sources_;
    RecentTable<std::uint64_t, CFRef<CGEventRef>> events_;
    std::uint64_t nextSourceID_ = 1;
    std::uint64_t nextSerial_ = 1;
};

} // namespace corvel::mac
