#pragma once

#include "domain/KeyboardShortcut.h"
#include "engine/HotKeyRefusal.h"
#include "engine/HotKeyRegistry.h"
#include "platform/SystemLog.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvel {

/// The global shortcut of Find Item…: one combination, or none, kept with
/// the person's preferences rather than in the store document, registered
/// through the hot key registry beside the Groups' shortcuts. A refused
/// combination stays the preference; the refusal is kept, logged once and
/// asked again at the next change of any of Corvel's shortcuts (and so at
/// the next launch).
///
/// Main thread only; built with create(), owned by std::shared_ptr. The
/// registry holds its press callback, which holds this weakly.
class FindItemHotKey : public std::enable_shared_from_this<FindItemHotKey> {
  public:
    /// Control-Option-Space.
    static constexpr KeyboardShortcut defaultShortcut{49, KeyboardShortcut::control |
                                                              KeyboardShortcut::option};
    static constexpr const char* owner = "find-item";

    /// Hears each change of the preference, to keep it.
    using Save = std::function<void(const std::optional<KeyboardShortcut>&)>;

    /// Registers `initial` at once. `pressed` runs on the main thread at each
    /// press and may change the shortcut.
    static std::shared_ptr<FindItemHotKey> create(std::shared_ptr<HotKeyRegistry> registry,
                                                  platform::SystemLog& log,
                                                  std::optional<KeyboardShortcut> initial,
                                                  Save save, std::function<void()> pressed);
    /// Gives up the hot key.
    ~FindItemHotKey();
    FindItemHotKey(const FindItemHotKey&) = delete;
    FindItemHotKey& operator=(const FindItemHotKey&) = delete;

    const std::optional<KeyboardShortcut>& shortcut() const { return shortcut_; }
    /// Keeps and registers the person's choice; none unregisters it.
    void set(std::optional<KeyboardShortcut> shortcut);
    /// Asks for the shortcut again, e.g. after another of Corvel's own let
    /// go of it.
    void retry() { bind(); }
    /// Why the shortcut is not registered; none when it is or when there is
    /// none.
    std::optional<HotKeyRefusal> refusal() const;

  private:
    FindItemHotKey(std::shared_ptr<HotKeyRegistry> registry, platform::SystemLog& log,
                   std::optional<KeyboardShortcut> initial, Save save,
                   std::function<void()> pressed);
    void bind();

    std::shared_ptr<HotKeyRegistry> registry_;
    platform::SystemLog& log_;
    std::optional<KeyboardShortcut> shortcut_;
    Save save_;
    std::function<void()> pressed_;
    /// The refusal last logged for this shortcut: asking again after each
    /// change of the Groups' shortcuts does not repeat it.
    std::optional<HotKeyRefusal> logged_;
};

} // namespace corvel
