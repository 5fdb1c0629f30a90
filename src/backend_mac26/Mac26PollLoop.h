#pragma once

#include "async/Channel.h"
#include "async/Executor.h"
#include "async/Task.h"
#include "backend/MenuBarChangeEvent.h"
#include "backend_mac26/Mac26MenuBarReader.h"

#include <chrono>
#include <memory>
#include <string>

namespace corvel {

/// The background poll of the menu bar: reads the status layer every 250 ms
/// and yields what changed to the backend's change stream. It holds no
/// reference to the backend, so the backend can go away while a pass runs.
class Mac26PollLoop {
  public:
    static constexpr std::chrono::milliseconds interval{250};

    /// Everything one poll needs, held by value in its frame.
    struct Inputs {
        std::shared_ptr<const Mac26MenuBarReader> reader;
        std::shared_ptr<async::Channel<MenuBarChangeEvent>> continuation;
    };

    /// Runs on the executor it is spawned on until its task is cancelled;
    /// a cancelled sleep ends the wait and the next pass stops. Never closes
    /// the stream: the backend does when it goes away.
    static async::Task<void> run(Inputs inputs);
};

} // namespace corvel
