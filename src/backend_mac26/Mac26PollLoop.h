#pragma once

#include "async/Channel.h"
#include "async/Executor.h"
#include "async/Task.h"
#include "backend/MenuBarChangeEvent.h"
#include "backend_mac26/Mac26MenuBarReader.h"
#include "backend_mac26/Mac26PollWake.h"

#include <chrono>
#include <memory>
#include <string>

namespace corvel {

/// The background poll of the menu bar: reads the status layer at the pace
/// of Mac26PollCadence (every 250 ms while it moves, every second once it
/// has been still) and yields what changed to the backend's change stream.
/// A ring of the wake ends a resting wait at once. It holds no reference to
/// the backend, so the backend can go away while a pass runs.
class Mac26PollLoop {
  public:
    /// Everything one poll needs, held by value in its frame.
    struct Inputs {
        std::shared_ptr<const Mac26MenuBarReader> reader;
        std::shared_ptr<async::Channel<MenuBarChangeEvent>> continuation;
        std::shared_ptr<Mac26PollWake> wake;
    };

    /// Runs on the executor it is spawned on until its task is cancelled;
    /// a cancelled sleep ends the wait and the next pass stops. Never closes
    /// the stream: the backend does when it goes away.
    static async::Task<void> run(Inputs inputs);
};

} // namespace corvel
