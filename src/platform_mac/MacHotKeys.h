#pragma once

#include "async/Executor.h"
#include "platform/HotKeys.h"
#include "platform_mac/ExecutorMailbox.h"
#include "platform_mac/FirstUseLog.h"

#include <Carbon/Carbon.h>
#include <map>
#include <memory>

namespace corvel::mac {

/// Global hot keys through the Carbon Event Manager (HIToolbox), which needs
/// no permission. Main thread only. The port's references stand for the
/// platform's in tables of the binding; each hot key and handler is handed
/// back to the platform once, and the handler's own record (Carbon's user
/// data) lives until the platform has let go of it. Presses arrive on the
/// main thread; should one arrive elsewhere, it is handed to `mainExecutor`
/// and the log says so once. What is still registered when the binding goes
/// is unregistered then.
class MacHotKeys final : public platform::HotKeys {
  public:
    MacHotKeys(async::Executor& mainExecutor, std::shared_ptr<FirstUseLog> notes);
    ~MacHotKeys() override;

    OSStatus installHotKeyPressedHandler(PressedHandler handler, HandlerRef& outRef) override;
    OSStatus removeEventHandler(HandlerRef handler) override;
    OSStatus registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                 platform::HotKeyID id, std::uint32_t options,
                                 HotKeyRef& outRef) override;
    OSStatus unregisterEventHotKey(HotKeyRef hotKey) override;
    std::optional<std::vector<platform::SymbolicHotKey>> copySymbolicHotKeys() const override;

    /// What Carbon hands back with each press.
    struct Handler {
        PressedHandler pressed;
        std::shared_ptr<ExecutorMailbox> mainThread;
        std::shared_ptr<FirstUseLog> notes;
    };

  private:
    struct Installed {
        EventHandlerRef ref = nullptr;
        std::unique_ptr<Handler> handler;
    };

    std::shared_ptr<ExecutorMailbox> mainThread_;
    std::shared_ptr<FirstUseLog> notes_;
    std::map<HandlerRef, Installed> handlers_;
    std::map<HotKeyRef, EventHotKeyRef> hotKeys_;
    std::uint64_t nextRef_ = 1;
};

} // namespace corvel::mac
