// Hot keys: the Carbon hot key port and the part of a person's key press that
// the system hands to hot keys before any window sees it.
#include "platform/HotKeyModifiers.h"
#include "sim/SimulatedDesktop.h"

namespace corvel::sim {

namespace {

HotKeyTable::IsRunning runningIn(const World& world) {
    return [&world](const std::string& application) { return world.runs(application); };
}

} // namespace

SimulatedDesktop::OSStatus SimulatedDesktop::installHotKeyPressedHandler(PressedHandler handler,
                                                                         HandlerRef& outRef) {
    const auto lock = hold();
    outRef = world_.hotKeys.installHandler(std::move(handler));
    return platform::HotKeyStatus::noErr;
}

SimulatedDesktop::OSStatus SimulatedDesktop::removeEventHandler(HandlerRef handler) {
    std::optional<PressedHandler> removed; // destroyed after the lock is released
    const auto lock = hold();
    removed = world_.hotKeys.removeHandler(handler);
    return removed ? platform::HotKeyStatus::noErr : platform::HotKeyStatus::paramErr;
}

SimulatedDesktop::OSStatus SimulatedDesktop::registerEventHotKey(std::uint32_t keyCode,
                                                                 std::uint32_t modifiers,
                                                                 platform::HotKeyID id,
                                                                 std::uint32_t options,
                                                                 HotKeyRef& outRef) {
    const auto lock = hold();
    return world_.hotKeys.registerHotKey(keyCode, modifiers, id, options, outRef,
                                         runningIn(world_));
}

SimulatedDesktop::OSStatus SimulatedDesktop::unregisterEventHotKey(HotKeyRef hotKey) {
    const auto lock = hold();
    return world_.hotKeys.unregisterHotKey(hotKey);
}

std::optional<std::vector<platform::SymbolicHotKey>> SimulatedDesktop::copySymbolicHotKeys() const {
    const auto lock = hold();
    return world_.hotKeys.symbolicHotKeys();
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> SimulatedDesktop::registeredHotKeys() const {
    const auto lock = hold();
    return world_.hotKeys.registered();
}

bool SimulatedDesktop::pressHotKey(std::uint16_t keyCode, std::uint64_t modifierFlags) {
    Callouts callouts;
    bool taken = false;
    {
        const auto lock = hold();
        taken = hotKeyLocked(keyCode, modifierFlags, callouts);
    }
    postAll(std::move(callouts));
    return taken;
}

bool SimulatedDesktop::hotKeyLocked(std::uint16_t keyCode, std::uint64_t modifierFlags,
                                    Callouts& callouts) {
    const auto press = world_.hotKeys.press(
        keyCode, platform::HotKeyModifiers::fromEventFlags(modifierFlags), runningIn(world_));
    if (!press.taken)
        return false;
    ++world_.counters.hotKeyPresses;
    if (!press.own)
        return true;
    for (const HandlerRef handlerRef : world_.hotKeys.handlerRefs()) {
        callouts.push_back([weak = weakSelf(), handlerRef, hotKey = *press.own, id = press.id] {
            // Looked up when it runs: a hot key unregistered or a handler
            // removed meanwhile is told nothing.
            auto self = weak.lock();
            if (!self)
                return;
            PressedHandler handler;
            {
                const auto lock = self->hold();
                if (self->world_.hotKeys.isRegistered(hotKey))
                    handler = self->world_.hotKeys.handler(handlerRef);
            }
            if (handler)
                handler(id);
        });
    }
    return true;
}

} // namespace corvel::sim
