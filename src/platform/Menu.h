#pragma once

#include "platform/MenuItem.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace corvel::platform {

/// A toolkit-neutral menu, such as the one that hangs on a status item.
/// Main thread only. The owner fills it (or rebuilds it each time it is about
/// to open, through the update handler); whoever shows it calls
/// prepareToOpen() right before showing and performItem() when a person
/// chooses an entry.
class Menu {
  public:
    using UpdateHandler = std::function<void(Menu&)>;

    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::vector<MenuItem>& items() const { return items_; }
    void addItem(MenuItem item);
    void removeAllItems();

    /// Called by prepareToOpen() each time the menu is about to be shown, so
    /// that entries whose titles depend on the current state are fresh.
    void setUpdateHandler(UpdateHandler handler);

    /// For the shower: lets the owner rebuild the entries, then returns them.
    const std::vector<MenuItem>& prepareToOpen();

    /// For the shower: runs the action of the entry at `index` when it exists,
    /// is enabled and has one. Returns whether an action ran. The action may
    /// rebuild this menu or destroy it; the call does not touch it afterwards.
    bool performItem(std::size_t index);

  private:
    std::vector<MenuItem> items_;
    UpdateHandler updateHandler_;
};

} // namespace corvel::platform
