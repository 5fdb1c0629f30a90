#pragma once

namespace corvel::mac {

/// Stops the process with a message naming `call` unless it runs on the main
/// thread. AppKit's status items, buttons, menus, monitors and application
/// object belong to the main thread; a call from another thread corrupts
/// them without a word, so the binding refuses it at once instead.
void requireMainThread(const char* call);

} // namespace corvel::mac
