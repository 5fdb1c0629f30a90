#include "ui/InterpreterEvents.h"

#include "async/Spawn.h"

namespace corvel {

namespace {

async::Task<void> deliver(std::shared_ptr<StripEffectInterpreter> interpreter,
                          SessionState::Event event) {
    auto handling = interpreter->handle(std::move(event));
    co_await std::move(handling);
}

} // namespace

void sendEvent(async::Executor& mainExecutor, std::shared_ptr<StripEffectInterpreter> interpreter,
               SessionState::Event event) {
    if (interpreter)
        async::spawn(mainExecutor, deliver(std::move(interpreter), std::move(event)));
}

} // namespace corvel
