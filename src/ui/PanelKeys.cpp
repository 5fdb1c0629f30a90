#include "ui/PanelKeys.h"

namespace corvel {

StripKeyboard::Key PanelKeys::keyOf(const QKeyEvent& event, Space space) {
    using Key = StripKeyboard::Key;
    const auto modifiers = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier)
        return Key::other;
    switch (event.key()) {
    case Qt::Key_Escape:
        return Key::escape;
    case Qt::Key_Down:
        return Key::next;
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        return Key::previous;
    case Qt::Key_Tab:
        return event.modifiers() & Qt::ShiftModifier ? Key::previous : Key::next;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::press;
    case Qt::Key_Space:
        return space == Space::presses ? Key::press : Key::other;
    default:
        return Key::other;
    }
}

bool PanelKeys::respond(StripKeyboard::Key key, std::optional<std::size_t> chosen,
                        std::size_t rowCount, const Actions& actions) {
    using Kind = StripKeyboard::Response::Kind;
    const auto response = StripKeyboard::respond(key, chosen, rowCount);
    switch (response.kind) {
    case Kind::focus:
        actions.choose(response.row);
        return true;
    case Kind::press:
        actions.press(response.row);
        return true;
    case Kind::close:
        actions.close();
        return true;
    case Kind::nothing:
        return true;
    case Kind::passOn:
        return false;
    }
    return false;
}

} // namespace corvel
