#include "engine/FindItemHotKey.h"

namespace corvel {

std::shared_ptr<FindItemHotKey> FindItemHotKey::create(std::shared_ptr<HotKeyRegistry> registry,
                                                       platform::SystemLog& log,
                                                       std::optional<KeyboardShortcut> initial,
                                                       Save save, std::function<void()> pressed) {
    std::shared_ptr<FindItemHotKey> hotKey(
        new FindItemHotKey(std::move(registry), log, initial, std::move(save), std::move(pressed)));
    hotKey->bind();
    return hotKey;
}

FindItemHotKey::FindItemHotKey(std::shared_ptr<HotKeyRegistry> registry, platform::SystemLog& log,
                               std::optional<KeyboardShortcut> initial, Save save,
                               std::function<void()> pressed)
    : registry_(std::move(registry)), log_(log), shortcut_(initial), save_(std::move(save)),
      pressed_(std::move(pressed)) {}

FindItemHotKey::~FindItemHotKey() {
    registry_->unbind(owner);
}

void FindItemHotKey::set(std::optional<KeyboardShortcut> shortcut) {
    shortcut_ = shortcut;
    logged_.reset();
    if (save_)
        save_(shortcut_);
    bind();
}

std::optional<HotKeyRefusal> FindItemHotKey::refusal() const {
    return registry_->refusal(owner);
}

void FindItemHotKey::bind() {
    if (!shortcut_) {
        registry_->unbind(owner);
        return;
    }
    const auto refusal = registry_->bind(owner, *shortcut_, [weakSelf = weak_from_this()] {
        auto self = weakSelf.lock();
        if (self && self->pressed_)
            self->pressed_();
    });
    if (refusal && refusal != logged_)
        log_.write("Corvel: the shortcut of Find Item\u2026 was not registered — " +
                   refusal->text());
    logged_ = refusal;
}

} // namespace corvel
