#pragma once

#include "platform/HotKeys.h"
#include "sim/Scenario.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvel::sim {

/// The hot keys of the simulated desktop: the combinations the system and
/// other applications hold (from the scenario), and this process's handlers
/// and registrations, with the rules by which macOS registers them and hands
/// a key press to them. Not thread-safe: the desktop guards it with its one
/// lock.
class HotKeyTable {
  public:
    using OSStatus = platform::HotKeys::OSStatus;
    using HotKeyRef = platform::HotKeys::HotKeyRef;
    using HandlerRef = platform::HotKeys::HandlerRef;

    using Held = Scenario::HotKey;

    /// Whether the application named by a holder runs now.
    using IsRunning = std::function<bool(const std::string& holder)>;

    explicit HotKeyTable(std::vector<Held> held = {});

    HandlerRef installHandler(platform::HotKeys::PressedHandler handler);
    /// The removed handler, for its owner to destroy outside the lock; none
    /// when `handler` is not installed.
    std::optional<platform::HotKeys::PressedHandler> removeHandler(HandlerRef handler);
    /// The handler as it is now; none once removed.
    platform::HotKeys::PressedHandler handler(HandlerRef handler) const;
    std::vector<HandlerRef> handlerRefs() const;

    OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, platform::HotKeyID id,
                            std::uint32_t options, HotKeyRef& outRef, const IsRunning& isRunning);
    OSStatus unregisterHotKey(HotKeyRef hotKey);
    bool isRegistered(HotKeyRef hotKey) const { return registrations_.contains(hotKey); }
    std::vector<platform::SymbolicHotKey> symbolicHotKeys() const;

    /// Who takes a person's key press before any window sees it.
    struct Press {
        /// The system or another application took it, or this process did.
        bool taken = false;
        /// This process's registration that it reaches, and its id.
        std::optional<HotKeyRef> own;
        platform::HotKeyID id;
    };
    Press press(std::uint32_t keyCode, std::uint32_t modifiers, const IsRunning& isRunning) const;

    /// This process's registrations, for tests: key code and modifiers.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> registered() const;

  private:
    struct Registration {
        std::uint32_t keyCode = 0;
        std::uint32_t modifiers = 0;
        platform::HotKeyID id;
    };

    const Held* heldBy(std::uint32_t keyCode, std::uint32_t modifiers, bool system,
                       const IsRunning& isRunning) const;
    /// This process's registration of the combination, if any.
    std::optional<HotKeyRef> registration(std::uint32_t keyCode, std::uint32_t modifiers) const;

    std::vector<Held> held_;
    std::map<HandlerRef, platform::HotKeys::PressedHandler> handlers_;
    std::map<HotKeyRef, Registration> registrations_;
    HandlerRef nextHandler_ = 1;
    HotKeyRef nextHotKey_ = 1;
};

} // namespace corvel::sim
