#pragma once

namespace corvel {

class StripEffectInterpreter;

/// Shows and hides the item search panel for the interpreter, which holds it
/// weakly. Both calls come synchronously on the main thread.
class ItemSearchDelegate {
  public:
    virtual ~ItemSearchDelegate() = default;

    /// Show the search under the primary icon, its text empty.
    virtual void
    stripEffectInterpreterDidRequestOpenSearch(StripEffectInterpreter& interpreter) = 0;
    /// Take the search down; a no-op when it is not shown.
    virtual void
    stripEffectInterpreterDidRequestCloseSearch(StripEffectInterpreter& interpreter) = 0;
};

} // namespace corvel
