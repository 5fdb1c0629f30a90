#pragma once

#include "domain/GroupID.h"

namespace corvel {

class StripEffectInterpreter;

/// Shows and hides the Strip panel for the interpreter, which holds it weakly.
/// Both calls come synchronously on the main thread.
class StripEffectInterpreterDelegate {
  public:
    virtual ~StripEffectInterpreterDelegate() = default;

    /// Show the Strip of `group` under its icon, or retarget a shown Strip.
    virtual void stripEffectInterpreter(StripEffectInterpreter& interpreter,
                                        const GroupID& didRequestOpenStripFor) = 0;
    /// Take the Strip down; a no-op when none is shown.
    virtual void
    stripEffectInterpreterDidRequestCloseStrip(StripEffectInterpreter& interpreter) = 0;
};

} // namespace corvel
