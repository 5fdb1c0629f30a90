#pragma once

#include <cstddef>
#include <optional>

namespace corvel {

/// What a key does in an open Strip, which takes the keyboard as a menu does:
/// the focus moves from row to row and wraps at either end, Return or Space
/// presses the focused row, Escape closes. Pure.
struct StripKeyboard {
    enum class Key {
        /// Down arrow or Tab.
        next,
        /// Up arrow or Shift-Tab.
        previous,
        /// Return, Enter or Space.
        press,
        escape,
        other,
    };

    struct Response {
        enum class Kind {
            /// Focus the row at `row`.
            focus,
            /// Press the row at `row`, as a click would.
            press,
            close,
            /// The Strip has no use for the key; it is consumed and nothing happens.
            nothing,
            /// Not a key of the Strip's: the toolkit may use it.
            passOn,
        };
        Kind kind = Kind::passOn;
        std::size_t row = 0;

        friend bool operator==(const Response&, const Response&) = default;
    };

    static Response respond(Key key, std::optional<std::size_t> focusedRow, std::size_t rowCount);
};

} // namespace corvel
