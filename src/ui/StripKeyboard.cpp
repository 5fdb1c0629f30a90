#include "ui/StripKeyboard.h"

namespace corvel {

StripKeyboard::Response StripKeyboard::respond(Key key, std::optional<std::size_t> focusedRow,
                                               std::size_t rowCount) {
    using Kind = Response::Kind;
    if (key == Key::escape)
        return {Kind::close};
    if (key == Key::other)
        return {Kind::passOn};
    if (rowCount == 0)
        return {Kind::nothing};
    // A focus left on a row of an earlier, longer Strip counts as none.
    const bool onRow = focusedRow.has_value() && focusedRow.value() < rowCount;
    const std::size_t row = onRow ? focusedRow.value() : 0;
    switch (key) {
    case Key::next:
        return {Kind::focus, onRow ? (row + 1) % rowCount : 0};
    case Key::previous:
        return {Kind::focus, onRow ? (row + rowCount - 1) % rowCount : rowCount - 1};
    case Key::press:
        return onRow ? Response{Kind::press, row} : Response{Kind::nothing};
    default:
        return {Kind::passOn};
    }
}

} // namespace corvel
