#pragma once

#include "domain/KeyboardShortcut.h"
#include "engine/HotKeyRefusal.h"
#include "platform/HotKeys.h"
#include "platform/SystemLog.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace corvel {

/// Corvel's one user of the platform's hot keys. Every feature that answers a
/// global shortcut (each Group's, and any other) binds its combination here
/// under an owner name of its own and hears its presses. The registry asks
/// the platform as macOS expects (exclusively, leaving the system's own
/// shortcuts alone) and says why a combination cannot be had.
///
/// Main thread only; built with create(), owned by std::shared_ptr. Presses
/// arrive through the port's handler, which holds the registry weakly, on the
/// main thread; the owner's callback runs then and may bind or unbind
/// anything, its own combination included. Destroying the registry
/// unregisters every hot key and removes the handler.
class HotKeyRegistry : public std::enable_shared_from_this<HotKeyRegistry> {
  public:
    /// Names one binding, e.g. "group:<uuid>"; chosen by the feature.
    using Owner = std::string;
    using Press = std::function<void()>;
    /// Ends a suspension when the last copy is dropped.
    using Suspension = std::shared_ptr<void>;

    /// The signature of Corvel's hot key ids: 'Crvl'.
    static constexpr std::uint32_t signature = 0x4372766C;

    static std::shared_ptr<HotKeyRegistry> create(std::shared_ptr<platform::HotKeys> hotKeys,
                                                  platform::SystemLog& log);
    ~HotKeyRegistry();
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;

    /// Gives `owner` the combination, in place of any it had, and answers why
    /// it could not be registered, if so; the answer is kept (refusal()) until
    /// the owner's next bind or unbind. Binding a refused combination again
    /// asks again. While suspended nothing is registered and the answer waits
    /// for the end of the suspension.
    std::optional<HotKeyRefusal> bind(const Owner& owner, const KeyboardShortcut& shortcut,
                                      Press press);
    void unbind(const Owner& owner);
    std::optional<HotKeyRefusal> refusal(const Owner& owner) const;
    /// Whether the owner's combination is registered now.
    bool isRegistered(const Owner& owner) const;

    /// While a suspension lasts no hot key is registered, so that every key
    /// reaches Corvel's own windows (a shortcut being recorded); when the last
    /// one ends, every binding is registered again. Suspensions may overlap.
    [[nodiscard]] Suspension suspend();

  private:
    struct Binding {
        KeyboardShortcut shortcut;
        Press press;
        std::optional<platform::HotKeys::HotKeyRef> ref;
        std::uint32_t id = 0;
        std::optional<HotKeyRefusal> refusal;
    };

    HotKeyRegistry(std::shared_ptr<platform::HotKeys> hotKeys, platform::SystemLog& log);
    void installHandler();
    /// Asks the platform for the binding's combination, or says why not.
    void registerBinding(const Owner& owner, Binding& binding);
    void unregisterBinding(Binding& binding);
    bool heldBySystem(std::uint32_t keyCode, std::uint32_t modifiers) const;
    bool heldByAnotherOwner(const Owner& owner, const KeyboardShortcut& shortcut) const;
    void pressed(const platform::HotKeyID& id);
    void resume();

    std::shared_ptr<platform::HotKeys> hotKeys_;
    platform::SystemLog& log_;
    std::optional<platform::HotKeys::HandlerRef> handler_;
    platform::HotKeys::OSStatus handlerStatus_ = platform::HotKeyStatus::noErr;
    std::map<Owner, Binding> bindings_;
    std::uint32_t nextId_ = 1;
    int suspensions_ = 0;
};

} // namespace corvel
