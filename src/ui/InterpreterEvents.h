#pragma once

#include "async/Executor.h"
#include "engine/SessionState.h"
#include "engine/StripEffectInterpreter.h"

#include <memory>

namespace corvel {

/// Sends a gesture's event to the interpreter from a task of its own on the
/// main executor, so that the gesture's handler returns at once while a
/// reveal the event starts runs on. Nothing happens without an interpreter.
void sendEvent(async::Executor& mainExecutor, std::shared_ptr<StripEffectInterpreter> interpreter,
               SessionState::Event event);

} // namespace corvel
