#include "sim/HotKeyTable.h"

#include "platform/HotKeyModifiers.h"

namespace corvel::sim {

namespace {

using Status = platform::HotKeyStatus;
using Modifiers = platform::HotKeyModifiers;

// Since macOS 15 a hot key whose only modifiers are Option, or Option and
// Shift, is refused, so that no application can read what is typed with
// Option held.
bool isRefusedCombination(std::uint32_t modifiers) {
    const auto held = modifiers & ~Modifiers::alphaLock;
    return held == Modifiers::optionKey || held == (Modifiers::optionKey | Modifiers::shiftKey);
}

} // namespace

HotKeyTable::HotKeyTable(std::vector<Held> held) : held_(std::move(held)) {}

HotKeyTable::HandlerRef HotKeyTable::installHandler(platform::HotKeys::PressedHandler handler) {
    const HandlerRef ref = nextHandler_++;
    handlers_.emplace(ref, std::move(handler));
    return ref;
}

std::optional<platform::HotKeys::PressedHandler> HotKeyTable::removeHandler(HandlerRef handler) {
    auto removed = handlers_.extract(handler);
    if (removed.empty())
        return std::nullopt;
    return std::move(removed.mapped());
}

platform::HotKeys::PressedHandler HotKeyTable::handler(HandlerRef handler) const {
    const auto found = handlers_.find(handler);
    return found == handlers_.end() ? nullptr : found->second;
}

std::vector<HotKeyTable::HandlerRef> HotKeyTable::handlerRefs() const {
    std::vector<HandlerRef> refs;
    for (const auto& [ref, handler] : handlers_)
        refs.push_back(ref);
    return refs;
}

HotKeyTable::OSStatus HotKeyTable::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                                  platform::HotKeyID id, std::uint32_t options,
                                                  HotKeyRef& outRef, const IsRunning& isRunning) {
    if (isRefusedCombination(modifiers))
        return Status::eventHotKeyInvalidErr;
    if (registration(keyCode, modifiers))
        return Status::eventHotKeyExistsErr;
    // The applications in the scenario hold their combinations exclusively
    // only against an exclusive registration; a shared one is told of each
    // press alongside them.
    if ((options & platform::HotKeys::exclusiveOption) &&
        heldBy(keyCode, modifiers, false, isRunning))
        return Status::eventHotKeyExistsErr;
    outRef = nextHotKey_++;
    registrations_.emplace(outRef, Registration{keyCode, modifiers, id});
    return Status::noErr;
}

HotKeyTable::OSStatus HotKeyTable::unregisterHotKey(HotKeyRef hotKey) {
    return registrations_.erase(hotKey) ? Status::noErr : Status::paramErr;
}

std::vector<platform::SymbolicHotKey> HotKeyTable::symbolicHotKeys() const {
    std::vector<platform::SymbolicHotKey> keys;
    for (const auto& held : held_)
        if (held.heldBy == Scenario::HotKey::system)
            keys.push_back({held.keyCode, held.modifiers, true});
    return keys;
}

HotKeyTable::Press HotKeyTable::press(std::uint32_t keyCode, std::uint32_t modifiers,
                                      const IsRunning& isRunning) const {
    if (heldBy(keyCode, modifiers, true, isRunning))
        return {true, std::nullopt, {}};
    if (const auto own = registration(keyCode, modifiers))
        return {true, own, registrations_.at(*own).id};
    return {heldBy(keyCode, modifiers, false, isRunning) != nullptr, std::nullopt, {}};
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> HotKeyTable::registered() const {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> keys;
    for (const auto& [ref, registration] : registrations_)
        keys.emplace_back(registration.keyCode, registration.modifiers);
    return keys;
}

const HotKeyTable::Held* HotKeyTable::heldBy(std::uint32_t keyCode, std::uint32_t modifiers,
                                             bool system, const IsRunning& isRunning) const {
    for (const auto& held : held_) {
        if (held.keyCode != keyCode || held.modifiers != modifiers)
            continue;
        const bool bySystem = held.heldBy == Scenario::HotKey::system;
        if (bySystem == system && (bySystem || (isRunning && isRunning(held.heldBy))))
            return &held;
    }
    return nullptr;
}

std::optional<HotKeyTable::HotKeyRef> HotKeyTable::registration(std::uint32_t keyCode,
                                                                std::uint32_t modifiers) const {
    for (const auto& [ref, registration] : registrations_)
        if (registration.keyCode == keyCode && registration.modifiers == modifiers)
            return ref;
    return std::nullopt;
}

} // namespace corvel::sim
