#pragma once

#include <functional>
#include <memory>
#include <string>

namespace corvel::platform {

class Menu;

/// One entry of a Menu: a titled item or a separator. Plain data that the
/// shower of the menu (a toolkit adapter or the simulated desktop) reads.
struct MenuItem {
    /// Modifier keys of a key equivalent; the platform's default is Command.
    struct Modifiers {
        bool command = true;
        bool shift = false;
        bool option = false;
        bool control = false;

        friend bool operator==(const Modifiers&, const Modifiers&) = default;
    };

    std::string title;
    bool isEnabled = true;
    /// A check mark beside the title.
    bool isChecked = false;
    /// The key that chooses this item while the menu is open, e.g. "q";
    /// empty for none.
    std::string keyEquivalent;
    Modifiers keyEquivalentModifiers;
    bool isSeparator = false;
    /// Opens beside this item instead of running an action.
    std::shared_ptr<Menu> submenu;
    /// Runs on the main thread when a person chooses the item.
    std::function<void()> action;

    static MenuItem separator() {
        MenuItem item;
        item.isSeparator = true;
        item.isEnabled = false;
        return item;
    }
};

} // namespace corvel::platform
