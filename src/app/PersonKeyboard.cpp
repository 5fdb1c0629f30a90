#include "app/PersonKeyboard.h"

#include "app/MacKeyCodes.h"
#include "settings/USKeyboardLayout.h"
#include "settings_ui/QtEventModifiers.h"
#include "sim/SimulatedDesktop.h"

#include <QKeyEvent>

namespace corvel::app {

std::optional<PersonKeyboard::MacKey> PersonKeyboard::macKey(const QKeyEvent& event) {
    const auto code = macKeyCode(event.key());
    if (!code)
        return std::nullopt;
    // The same reading of the modifiers as the shortcut recorder's, so that
    // a combination pressed is the one that was recorded.
    return MacKey{*code, USKeyboardLayout::modifierFlags(eventModifiers(event))};
}

PersonKeyboard::PersonKeyboard(std::shared_ptr<sim::SimulatedDesktop> desktop)
    : desktop_(std::move(desktop)) {}

bool PersonKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto& press = static_cast<const QKeyEvent&>(*event);
    // A key held down repeats in the window; a hot key answers its press.
    if (press.isAutoRepeat())
        return false;
    const auto key = macKey(press);
    return key && desktop_->pressHotKey(key->keyCode, key->modifierFlags);
}

} // namespace corvel::app
