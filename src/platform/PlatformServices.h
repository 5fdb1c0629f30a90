#pragma once

#include "platform/Accessibility.h"
#include "platform/ApplicationActivation.h"
#include "platform/GlobalEventMonitor.h"
#include "platform/HotKeys.h"
#include "platform/ProcessEnvironment.h"
#include "platform/Processes.h"
#include "platform/ScreenCapture.h"
#include "platform/Screens.h"
#include "platform/StatusBar.h"
#include "platform/SymbolImages.h"
#include "platform/SyntheticEvents.h"
#include "platform/SystemLog.h"
#include "platform/WallClock.h"
#include "platform/WindowList.h"
#include "platform/Workspace.h"

#include <memory>

namespace corvel::platform {

/// Every port, handed as one bundle to whoever builds the object graph. The
/// simulated desktop fills all of them with one object; a native binding
/// may fill them with several.
struct PlatformServices {
    std::shared_ptr<WindowList> windowList;
    std::shared_ptr<Accessibility> accessibility;
    std::shared_ptr<SyntheticEvents> syntheticEvents;
    std::shared_ptr<StatusBar> statusBar;
    std::shared_ptr<Workspace> workspace;
    std::shared_ptr<ApplicationActivation> activation;
    std::shared_ptr<ScreenCapture> screenCapture;
    std::shared_ptr<Processes> processes;
    std::shared_ptr<ProcessEnvironment> environment;
    std::shared_ptr<Screens> screens;
    std::shared_ptr<GlobalEventMonitor> globalEventMonitor;
    std::shared_ptr<HotKeys> hotKeys;
    std::shared_ptr<SymbolImages> symbolImages;
    std::shared_ptr<SystemLog> systemLog;
    std::shared_ptr<WallClock> wallClock;
};

} // namespace corvel::platform
