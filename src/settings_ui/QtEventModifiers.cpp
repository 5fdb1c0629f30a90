#include "settings_ui/QtEventModifiers.h"

namespace corvel {

EventModifiers eventModifiers(const QKeyEvent& event) {
    const auto held = event.modifiers();
#ifdef Q_OS_MACOS
    constexpr auto commandKey = Qt::ControlModifier;
    constexpr auto controlKey = Qt::MetaModifier;
#else
    constexpr auto commandKey = Qt::MetaModifier;
    constexpr auto controlKey = Qt::ControlModifier;
#endif
    EventModifiers modifiers;
    modifiers.command = held.testFlag(commandKey);
    modifiers.control = held.testFlag(controlKey);
    modifiers.shift = held.testFlag(Qt::ShiftModifier);
    modifiers.option = held.testFlag(Qt::AltModifier);
    modifiers.numericPad = held.testFlag(Qt::KeypadModifier);
    // Qt reports no Caps Lock state with a key press; it stays off.
    return modifiers;
}

} // namespace corvel
