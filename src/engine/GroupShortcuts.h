#pragma once

#include "domain/Group.h"
#include "domain/GroupID.h"
#include "domain/KeyboardShortcut.h"
#include "engine/HotKeyRefusal.h"
#include "engine/HotKeyRegistry.h"
#include "platform/SystemLog.h"

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

/// Every Group's shortcut as a global hot key: registers exactly the current
/// set, at launch and after every change, and turns a press into the Group it
/// belongs to. A shortcut the platform refuses stays stored with its Group;
/// the refusal is kept per Group, logged once with the Group's name, and
/// asked again at the next sync (and so at the next launch).
///
/// Main thread only; built with create(), owned by std::shared_ptr. The
/// registry holds its press callbacks, which hold this weakly.
class GroupShortcuts : public std::enable_shared_from_this<GroupShortcuts> {
  public:
    /// A Group's shortcut was pressed. Runs on the main thread.
    using Pressed = std::function<void(const GroupID&)>;

    static std::shared_ptr<GroupShortcuts> create(std::shared_ptr<HotKeyRegistry> registry,
                                                  platform::SystemLog& log, Pressed pressed);
    /// Gives up every Group's hot key.
    ~GroupShortcuts();
    GroupShortcuts(const GroupShortcuts&) = delete;
    GroupShortcuts& operator=(const GroupShortcuts&) = delete;

    /// Makes the registered hot keys exactly the shortcuts of `groups`,
    /// given in any order: Groups are taken by `order`, and of two with one
    /// combination the first keeps it. A shortcut already registered stays
    /// registered; a refused one is asked again. Tells the listener after.
    void sync(const std::vector<Group>& groups);

    /// Why the Group's shortcut is not registered; none when it is, or when
    /// the Group has none.
    std::optional<HotKeyRefusal> refusal(const GroupID& group) const;

    /// Told after every sync and every end of a suspension; one listener.
    /// Called on the main thread; it must not destroy this object.
    void setOnChange(std::function<void()> onChange);

    /// No hot key answers while the suspension is kept (see
    /// HotKeyRegistry::suspend); its end tells the listener.
    [[nodiscard]] HotKeyRegistry::Suspension suspend();

  private:
    GroupShortcuts(std::shared_ptr<HotKeyRegistry> registry, platform::SystemLog& log,
                   Pressed pressed);

    static HotKeyRegistry::Owner owner(const GroupID& group);
    void bind(const Group& group);
    void notify() const;

    std::shared_ptr<HotKeyRegistry> registry_;
    platform::SystemLog& log_;
    Pressed pressed_;
    std::function<void()> onChange_;
    /// The shortcut bound for each Group, and the refusal last logged for it.
    struct Bound {
        KeyboardShortcut shortcut;
        std::optional<HotKeyRefusal> logged;
    };
    std::unordered_map<GroupID, Bound> bound_;
};

} // namespace corvel
