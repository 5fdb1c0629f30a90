#pragma once

#include "ui/StripKeyboard.h"

#include <QKeyEvent>
#include <cstddef>
#include <functional>
#include <optional>

namespace corvel {

/// How Corvel's panels take the keyboard, as a menu does: which key of Qt's
/// is which key of StripKeyboard's, and what its answer does to the rows.
/// Main thread only.
struct PanelKeys {
    /// A Strip presses its row with Space; the search types it.
    enum class Space { presses, types };

    /// What `event` is to a panel: only plain keys belong to it; a
    /// combination with Command, Control or Option is someone else's, Shift
    /// only turns Tab around.
    static StripKeyboard::Key keyOf(const QKeyEvent& event, Space space);

    struct Actions {
        /// Make the row at this position the panel's chosen one.
        std::function<void(std::size_t)> choose;
        /// Press the row at this position, as a click does. May hide the panel.
        std::function<void(std::size_t)> press;
        /// May hide the panel.
        std::function<void()> close;
    };

    /// Carries out what StripKeyboard answers for `key` with `chosen` of
    /// `rowCount` rows; answers whether the panel used the key.
    static bool respond(StripKeyboard::Key key, std::optional<std::size_t> chosen,
                        std::size_t rowCount, const Actions& actions);
};

} // namespace corvel
