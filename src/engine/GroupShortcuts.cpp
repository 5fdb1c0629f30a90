#include "engine/GroupShortcuts.h"

#include <algorithm>

namespace corvel {

std::shared_ptr<GroupShortcuts> GroupShortcuts::create(std::shared_ptr<HotKeyRegistry> registry,
                                                       platform::SystemLog& log, Pressed pressed) {
    return std::shared_ptr<GroupShortcuts>(
        new GroupShortcuts(std::move(registry), log, std::move(pressed)));
}

GroupShortcuts::GroupShortcuts(std::shared_ptr<HotKeyRegistry> registry, platform::SystemLog& log,
                               Pressed pressed)
    : registry_(std::move(registry)), log_(log), pressed_(std::move(pressed)) {}

GroupShortcuts::~GroupShortcuts() {
    for (const auto& [group, bound] : bound_)
        registry_->unbind(owner(group));
}

HotKeyRegistry::Owner GroupShortcuts::owner(const GroupID& group) {
    return "group:" + group.rawValue().text();
}

void GroupShortcuts::sync(const std::vector<Group>& groups) {
    std::vector<const Group*> wanted;
    for (const auto& group : groups)
        if (group.shortcut)
            wanted.push_back(&group);
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const Group* a, const Group* b) { return a->order < b->order; });

    // Let go first, so that a combination moved from one Group to another
    // within one change finds itself free.
    for (auto it = bound_.begin(); it != bound_.end();) {
        const bool kept = std::any_of(wanted.begin(), wanted.end(), [&](const Group* group) {
            return group->id == it->first && *group->shortcut == it->second.shortcut;
        });
        if (kept) {
            ++it;
            continue;
        }
        registry_->unbind(owner(it->first));
        it = bound_.erase(it);
    }
    for (const Group* group : wanted)
        bind(*group);
    notify();
}

void GroupShortcuts::bind(const Group& group) {
    const auto key = owner(group.id);
    auto found = bound_.find(group.id);
    if (found != bound_.end() && registry_->isRegistered(key))
        return;
    const auto refusal =
        registry_->bind(key, *group.shortcut, [weakSelf = weak_from_this(), id = group.id] {
            auto self = weakSelf.lock();
            if (self && self->pressed_)
                self->pressed_(id);
        });
    Bound& bound = bound_[group.id];
    bound.shortcut = *group.shortcut;
    if (refusal && refusal != bound.logged)
        log_.write("Corvel: the shortcut of the Group \"" + group.name +
                   "\" was not registered — " + refusal->text());
    bound.logged = refusal;
}

std::optional<HotKeyRefusal> GroupShortcuts::refusal(const GroupID& group) const {
    return bound_.contains(group) ? registry_->refusal(owner(group)) : std::nullopt;
}

void GroupShortcuts::setOnChange(std::function<void()> onChange) {
    onChange_ = std::move(onChange);
}

void GroupShortcuts::notify() const {
    if (auto onChange = onChange_)
        onChange();
}

HotKeyRegistry::Suspension GroupShortcuts::suspend() {
    auto registrySuspension = registry_->suspend();
    return HotKeyRegistry::Suspension(
        nullptr, [registrySuspension, weakSelf = weak_from_this()](void*) mutable {
            registrySuspension.reset();
            if (auto self = weakSelf.lock())
                self->notify();
        });
}

} // namespace corvel
