#pragma once

#include "app/CorvelAppDelegate.h"
#include "async/ManualLoop.h"
#include "sim/SimulatedDesktop.h"
#include "support/MemoryLog.h"
#include "support/ScriptedModalAlerts.h"

#include <QSettings>
#include <filesystem>

namespace corvel::test {

/// What a test launch is built from: the simulated desktop's ports with a
/// memory log, scripted alerts, one manual loop for both executors, and the
/// store and defaults in `folder`.
inline app::CorvelAppDelegate::Services delegateServices(
    async::ManualLoop& loop, sim::SimulatedDesktop& desktop, std::shared_ptr<MemoryLog> log,
    std::shared_ptr<ScriptedModalAlerts> alerts, const std::filesystem::path& folder,
    std::function<std::shared_ptr<MenuBarBackend>()> makeBackend, std::function<void()> terminate,
    StripWindowController::ScreenMapping stripPlacement) {
    auto platform = desktop.services();
    platform.systemLog = std::move(log);
    return {
        .mainExecutor = &loop,
        .backgroundExecutor = &loop,
        .platform = platform,
        .alerts = std::move(alerts),
        .storeURL = folder / "store.json",
        .wallClock = [] { return std::chrono::system_clock::time_point{}; },
        .makeBackend = std::move(makeBackend),
        .terminate = std::move(terminate),
        .stripPlacement = std::move(stripPlacement),
        .defaults = std::make_shared<QSettings>(
            QString::fromStdString((folder / "defaults.ini").string()), QSettings::IniFormat),
    };
}

} // namespace corvel::test
