#pragma once

#include "platform/Menu.h"

#include <QMenu>
#include <memory>

namespace corvel {

/// Shows a toolkit-neutral Menu as a Qt menu: asks its owner to rebuild it
/// (prepareToOpen), then mirrors its entries, and performs the chosen one.
/// Main thread only.
class QtMenuPresenter {
  public:
    /// Replaces the actions of `target` with the entries of `menu`, rebuilt
    /// for this opening. Choosing an action performs the entry; the action
    /// keeps the menu alive.
    static void fill(QMenu& target, const std::shared_ptr<platform::Menu>& menu);

    /// The key sequence of an entry's key equivalent ("Ctrl" is Command on
    /// the platform); empty for none.
    static QKeySequence keySequence(const platform::MenuItem& item);
};

} // namespace corvel
