#pragma once

#include "platform/HotKeyID.h"
#include "platform/HotKeyStatus.h"
#include "platform/SymbolicHotKey.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace corvel::platform {

/// Global hot keys: key combinations that reach this application whichever
/// application is in front, before it. On macOS these are the Carbon Event
/// Manager's hot keys (Carbon.framework, HIToolbox: CarbonEvents.h), which
/// need neither the Accessibility nor the Input Monitoring permission; each
/// operation names the call it stands for. Statuses are OSStatus values
/// (HotKeyStatus); modifiers are Carbon's bits (HotKeyModifiers), not event
/// flags. Main thread only: the application event target dispatches on the
/// main run loop.
class HotKeys {
  public:
    using OSStatus = HotKeyStatus::OSStatus;
    /// Stands for an EventHotKeyRef; 0 is never a registered hot key.
    using HotKeyRef = std::uint64_t;
    /// Stands for an EventHandlerRef; 0 is never an installed handler.
    using HandlerRef = std::uint64_t;
    /// A press of a registered hot key: the EventHotKeyID it was registered
    /// with (GetEventParameter of kEventParamDirectObject '----' as
    /// typeEventHotKeyID 'hkid'). Runs on the main thread, once per press
    /// (not for its release); it may register and unregister hot keys and
    /// remove its own handler.
    using PressedHandler = std::function<void(const HotKeyID&)>;

    /// RegisterEventHotKey's kEventHotKeyExclusive option, as CarbonEvents.h
    /// describes it: a combination
    /// another application has registered is refused with
    /// eventHotKeyExistsErr instead of being shared (without it both
    /// applications are told of each press), and while this registration
    /// stands no other application can register the combination.
    static constexpr std::uint32_t exclusiveOption = 1u << 1;

    virtual ~HotKeys() = default;

    /// InstallEventHandler(GetApplicationEventTarget(),
    /// NewEventHandlerUPP(proc), 1, {kEventClassKeyboard 'keyb',
    /// kEventHotKeyPressed 5}, userData, &outRef). noErr and `outRef` set, or
    /// the failure with `outRef` left alone.
    virtual OSStatus installHotKeyPressedHandler(PressedHandler handler, HandlerRef& outRef) = 0;

    /// RemoveEventHandler(inHandlerRef): paramErr for a handler that is not
    /// installed. A press already on its way no longer reaches it.
    virtual OSStatus removeEventHandler(HandlerRef handler) = 0;

    /// RegisterEventHotKey(inHotKeyCode, inHotKeyModifiers, inHotKeyID,
    /// GetApplicationEventTarget(), inOptions, &outRef). `keyCode` is the
    /// virtual key code (kVK_*), `modifiers` Carbon bits, `options` 0 or
    /// exclusiveOption. noErr and `outRef` set, or: eventHotKeyExistsErr when
    /// this application has registered the combination already, or when
    /// another one holds it and either registration is exclusive;
    /// eventHotKeyInvalidErr (or another failure) when the platform does not
    /// allow the combination, such as Option-only or Option-Shift-only
    /// combinations since macOS 15. `outRef` is left alone on failure.
    virtual OSStatus registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                         HotKeyID id, std::uint32_t options, HotKeyRef& outRef) = 0;

    /// UnregisterEventHotKey(inHotKey): paramErr for a hot key that is not
    /// registered. A press already on its way is not delivered.
    virtual OSStatus unregisterEventHotKey(HotKeyRef hotKey) = 0;

    /// CopySymbolicHotKeys(&outHotKeyArray): the system's own shortcuts, each
    /// a dictionary of kHISymbolicHotKeyCode, kHISymbolicHotKeyModifiers and
    /// kHISymbolicHotKeyEnabled (HIToolbox; the call and its keys are not in
    /// our API reference yet: confirm them on a Mac). What registering one
    /// of them does is not documented (the simulated desktop registers it
    /// and gives its presses to the system), so it is best not registered.
    /// Nothing when the call fails.
    virtual std::optional<std::vector<SymbolicHotKey>> copySymbolicHotKeys() const = 0;
};

} // namespace corvel::platform
