#include "engine/HotKeyRegistry.h"

#include "platform/HotKeyModifiers.h"

#include <algorithm>

namespace corvel {

namespace {

using Status = platform::HotKeyStatus;

std::uint32_t carbonModifiers(const KeyboardShortcut& shortcut) {
    return platform::HotKeyModifiers::fromEventFlags(shortcut.modifierFlags);
}

} // namespace

std::shared_ptr<HotKeyRegistry> HotKeyRegistry::create(std::shared_ptr<platform::HotKeys> hotKeys,
                                                       platform::SystemLog& log) {
    std::shared_ptr<HotKeyRegistry> registry(new HotKeyRegistry(std::move(hotKeys), log));
    registry->installHandler();
    return registry;
}

HotKeyRegistry::HotKeyRegistry(std::shared_ptr<platform::HotKeys> hotKeys, platform::SystemLog& log)
    : hotKeys_(std::move(hotKeys)), log_(log) {}

HotKeyRegistry::~HotKeyRegistry() {
    for (auto& [owner, binding] : bindings_)
        unregisterBinding(binding);
    if (handler_)
        hotKeys_->removeEventHandler(*handler_);
}

void HotKeyRegistry::installHandler() {
    platform::HotKeys::HandlerRef ref = 0;
    handlerStatus_ = hotKeys_->installHotKeyPressedHandler(
        [weakSelf = weak_from_this()](const platform::HotKeyID& id) {
            if (auto self = weakSelf.lock())
                self->pressed(id);
        },
        ref);
    if (handlerStatus_ == Status::noErr)
        handler_ = ref;
    else
        log_.write("Corvel: global shortcuts are unavailable — installing the hot key handler "
                   "failed (OSStatus " +
                   std::to_string(handlerStatus_) + ")");
}

std::optional<HotKeyRefusal> HotKeyRegistry::bind(const Owner& owner,
                                                  const KeyboardShortcut& shortcut, Press press) {
    unbind(owner);
    Binding& binding = bindings_[owner];
    binding.shortcut = shortcut;
    binding.press = std::move(press);
    if (suspensions_ == 0)
        registerBinding(owner, binding);
    return binding.refusal;
}

void HotKeyRegistry::unbind(const Owner& owner) {
    auto found = bindings_.find(owner);
    if (found == bindings_.end())
        return;
    unregisterBinding(found->second);
    bindings_.erase(found);
}

std::optional<HotKeyRefusal> HotKeyRegistry::refusal(const Owner& owner) const {
    auto found = bindings_.find(owner);
    return found == bindings_.end() ? std::nullopt : found->second.refusal;
}

bool HotKeyRegistry::isRegistered(const Owner& owner) const {
    auto found = bindings_.find(owner);
    return found != bindings_.end() && found->second.ref.has_value();
}

void HotKeyRegistry::registerBinding(const Owner& owner, Binding& binding) {
    binding.refusal.reset();
    const auto keyCode = binding.shortcut.keyCode;
    const auto modifiers = carbonModifiers(binding.shortcut);
    if (!handler_) {
        binding.refusal = HotKeyRefusal::notAllowed(handlerStatus_);
        return;
    }
    // The platform would answer eventHotKeyExistsErr for a second
    // registration of our own, which reads as another application's.
    if (heldByAnotherOwner(owner, binding.shortcut)) {
        binding.refusal = HotKeyRefusal::inUseByCorvel();
        return;
    }
    // Registering one of the system's shortcuts is not refused, but its
    // presses never arrive: say so rather than hold a dead shortcut.
    if (heldBySystem(keyCode, modifiers)) {
        binding.refusal = HotKeyRefusal::takenBySystem();
        return;
    }
    binding.id = nextId_++;
    platform::HotKeys::HotKeyRef ref = 0;
    // Exclusive, so that a combination another application holds is refused
    // instead of opening a Strip and doing that application's work at once.
    const auto status = hotKeys_->registerEventHotKey(keyCode, modifiers, {signature, binding.id},
                                                      platform::HotKeys::exclusiveOption, ref);
    if (status == Status::noErr)
        binding.ref = ref;
    else if (status == Status::eventHotKeyExistsErr)
        binding.refusal = HotKeyRefusal::takenByApplication(status);
    else
        binding.refusal = HotKeyRefusal::notAllowed(status);
}

void HotKeyRegistry::unregisterBinding(Binding& binding) {
    if (!binding.ref)
        return;
    hotKeys_->unregisterEventHotKey(*binding.ref);
    binding.ref.reset();
}

bool HotKeyRegistry::heldBySystem(std::uint32_t keyCode, std::uint32_t modifiers) const {
    const auto system = hotKeys_->copySymbolicHotKeys();
    if (!system)
        return false;
    return std::any_of(system->begin(), system->end(), [&](const platform::SymbolicHotKey& key) {
        return key.enabled && key.keyCode == keyCode &&
               (key.modifiers & ~platform::HotKeyModifiers::alphaLock) == modifiers;
    });
}

bool HotKeyRegistry::heldByAnotherOwner(const Owner& owner,
                                        const KeyboardShortcut& shortcut) const {
    return std::any_of(bindings_.begin(), bindings_.end(), [&](const auto& entry) {
        const Binding& other = entry.second;
        return entry.first != owner && other.ref && other.shortcut.keyCode == shortcut.keyCode &&
               carbonModifiers(other.shortcut) == carbonModifiers(shortcut);
    });
}

void HotKeyRegistry::pressed(const platform::HotKeyID& id) {
    if (id.signature != signature)
        return;
    for (const auto& [owner, binding] : bindings_) {
        if (binding.ref && binding.id == id.id) {
            // A copy: the press may bind or unbind this very owner.
            if (auto press = binding.press)
                press();
            return;
        }
    }
}

HotKeyRegistry::Suspension HotKeyRegistry::suspend() {
    if (suspensions_++ == 0)
        for (auto& [owner, binding] : bindings_)
            unregisterBinding(binding);
    return Suspension(nullptr, [weakSelf = weak_from_this()](void*) {
        if (auto self = weakSelf.lock())
            self->resume();
    });
}

void HotKeyRegistry::resume() {
    if (--suspensions_ > 0)
        return;
    for (auto& [owner, binding] : bindings_)
        registerBinding(owner, binding);
}

} // namespace corvel
