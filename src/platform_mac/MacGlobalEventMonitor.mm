#include "platform_mac/MacGlobalEventMonitor.h"

#include "platform_mac/MacScreens.h"
#include "platform_mac/MainThread.h"
#include "platform_mac/MonitoredEventReading.h"

#import <AppKit/AppKit.h>

namespace corvel::mac {

MacGlobalEventMonitor::MacGlobalEventMonitor(async::Executor& mainExecutor,
                                             std::shared_ptr<FirstUseLog> notes)
    : mainThread_(std::make_shared<ExecutorMailbox>(mainExecutor)), notes_(std::move(notes)) {}

MacGlobalEventMonitor::~MacGlobalEventMonitor() {
    while (!monitors_.empty())
        removeMonitor(monitors_.begin()->first);
    mainThread_->close();
}

std::optional<platform::GlobalEventMonitor::Token>
MacGlobalEventMonitor::addGlobalMonitor(std::uint64_t mask, Handler handler) {
    requireMainThread("NSEvent addGlobalMonitorForEventsMatchingMask:handler:");
    std::shared_ptr<ExecutorMailbox> mainThread = mainThread_;
    std::shared_ptr<FirstUseLog> notes = notes_;
    id monitor = [NSEvent
        addGlobalMonitorForEventsMatchingMask:static_cast<NSEventMask>(mask)
                                      handler:^(NSEvent* event) {
                                        // Another application's event has no window, so
                                        // its location is in screen coordinates.
                                        const NSPoint at = event.locationInWindow;
                                        // The handler may remove this very monitor, which
                                        // frees this block: work with a copy.
                                        auto deliver = [run = handler, type = event.type, at,
                                                        flags = event.modifierFlags] {
                                            run(MonitoredEventReading::read(
                                                type, {at.x, at.y},
                                                MacScreens::menuBarScreenHeight(), flags));
                                        };
                                        if ([NSThread isMainThread]) {
                                            deliver();
                                            return;
                                        }
                                        notes->once("monitor thread",
                                                    "Corvel: an NSEvent global monitor handler "
                                                    "ran off the main thread; its events are "
                                                    "handed to the main thread");
                                        mainThread->post(std::move(deliver));
                                      }];
    if (!monitor)
        return std::nullopt;
    const Token token = nextToken_++;
    monitors_.emplace(token, monitor);
    return token;
}

void MacGlobalEventMonitor::removeMonitor(Token token) {
    requireMainThread("NSEvent removeMonitor:");
    const auto found = monitors_.find(token);
    if (found == monitors_.end())
        return;
    id monitor = found->second;
    monitors_.erase(found);
    [NSEvent removeMonitor:monitor];
}

} // namespace corvel::mac
