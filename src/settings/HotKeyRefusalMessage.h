#pragma once

#include "engine/HotKeyRefusal.h"

#include <string>

namespace corvel {

/// The sentence shown under a shortcut that could not be registered, naming
/// why. Pure.
std::string hotKeyRefusalMessage(const HotKeyRefusal& refusal);

} // namespace corvel
