#pragma once

#include "settings/EventModifiers.h"

#include <QKeyEvent>

namespace corvel {

/// The keys held during a Qt key press, named after the keys. On macOS Qt
/// reports Command as its Control modifier and Control as Meta; elsewhere the
/// Super key (Meta) stands in for Command.
EventModifiers eventModifiers(const QKeyEvent& event);

} // namespace corvel
