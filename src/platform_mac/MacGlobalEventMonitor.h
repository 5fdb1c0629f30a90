#pragma once

#include "async/Executor.h"
#include "platform/GlobalEventMonitor.h"
#include "platform_mac/ExecutorMailbox.h"
#include "platform_mac/FirstUseLog.h"

#include <map>
#include <memory>

namespace corvel::mac {

/// Global monitors of other applications' events (NSEvent). Main thread
/// only. Each monitor is removed from AppKit exactly once (a second removal
/// over-releases it): the token leaves the table before AppKit hears of it.
/// Handlers run on the main thread; should AppKit ever call one elsewhere,
/// the event is handed to `mainExecutor` and the log says so once.
class MacGlobalEventMonitor final : public platform::GlobalEventMonitor {
  public:
    MacGlobalEventMonitor(async::Executor& mainExecutor, std::shared_ptr<FirstUseLog> notes);
    ~MacGlobalEventMonitor() override;

    std::optional<Token> addGlobalMonitor(std::uint64_t mask, Handler handler) override;
    void removeMonitor(Token token) override;

  private:
    std::shared_ptr<ExecutorMailbox> mainThread_;
    std::shared_ptr<FirstUseLog> notes_;
    /// AppKit's monitor objects, strong, by token.
    std::map<Token, id> monitors_;
    Token nextToken_ = 1;
};

} // namespace corvel::mac
