#include "platform_mac/MacPlatform.h"

#include "platform/PosixProcessEnvironment.h"
#include "platform/SystemWallClock.h"
#include "platform_mac/FirstUseLog.h"
#include "platform_mac/MacAccessibility.h"
#include "platform_mac/MacApplicationActivation.h"
#include "platform_mac/MacGlobalEventMonitor.h"
#include "platform_mac/MacHotKeys.h"
#include "platform_mac/MacLaunchAtLogin.h"
#include "platform_mac/MacProcesses.h"
#include "platform_mac/MacScreenCapture.h"
#include "platform_mac/MacScreens.h"
#include "platform_mac/MacStatusBar.h"
#include "platform_mac/MacSymbolImages.h"
#include "platform_mac/MacSyntheticEvents.h"
#include "platform_mac/MacWindowList.h"
#include "platform_mac/MacWorkspace.h"
#include "platform_mac/MainThread.h"
#include "platform_mac/OsLogSystemLog.h"

namespace corvel::mac {

std::shared_ptr<platform::SystemLog> MacPlatform::systemLog() {
    return std::make_shared<OsLogSystemLog>();
}

platform::PlatformServices MacPlatform::services(async::Executor& mainExecutor,
                                                 std::shared_ptr<platform::SystemLog> log) {
    requireMainThread("MacPlatform services");
    auto notes = std::make_shared<FirstUseLog>(log);
    platform::PlatformServices services;
    services.windowList = std::make_shared<MacWindowList>(notes);
    services.accessibility = std::make_shared<MacAccessibility>(notes);
    services.syntheticEvents = std::make_shared<MacSyntheticEvents>(notes);
    services.statusBar = std::make_shared<MacStatusBar>(notes);
    services.workspace = std::make_shared<MacWorkspace>(notes);
    services.activation = std::make_shared<MacApplicationActivation>(log);
    services.screenCapture = std::make_shared<MacScreenCapture>(mainExecutor, notes);
    services.processes = std::make_shared<MacProcesses>(mainExecutor, log);
    services.environment = std::make_shared<platform::PosixProcessEnvironment>();
    services.screens = std::make_shared<MacScreens>();
    services.globalEventMonitor = std::make_shared<MacGlobalEventMonitor>(mainExecutor, notes);
    services.hotKeys = std::make_shared<MacHotKeys>(mainExecutor, notes);
    services.symbolImages = std::make_shared<MacSymbolImages>();
    services.launchAtLogin = std::make_shared<MacLaunchAtLogin>(log);
    services.systemLog = std::move(log);
    services.wallClock = std::make_shared<platform::SystemWallClock>();
    return services;
}

} // namespace corvel::mac
