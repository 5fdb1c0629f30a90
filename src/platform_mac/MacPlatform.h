#pragma once

#include "async/Executor.h"
#include "platform/PlatformServices.h"

#include <memory>

namespace corvel::mac {

/// Every port on the Mac's own services. Plain C++, for the one place that
/// builds Corvel's services.
struct MacPlatform {
    /// The unified system log, mirrored to standard error.
    static std::shared_ptr<platform::SystemLog> systemLog();

    /// Built on the main thread after Qt's application object exists.
    /// `mainExecutor` runs on the main thread (Qt's loop, which runs AppKit's
    /// main run loop) and must outlive the services; asynchronous answers of
    /// the platform resume there. `log` is the services' system log and
    /// receives the binding's own notes.
    static platform::PlatformServices services(async::Executor& mainExecutor,
                                               std::shared_ptr<platform::SystemLog> log);
};

} // namespace corvel::mac
