#pragma once

#include "platform/Alert.h"

namespace corvel::platform {

/// Modal alerts. Main thread only. A port rather than a toolkit call so that
/// tests can script the person's answer.
class ModalAlerts {
  public:
    virtual ~ModalAlerts() = default;

    /// Shows `alert` and returns once the person has answered: the chosen
    /// button's answer, Alert::firstButtonReturn for the first. Events keep
    /// being delivered meanwhile (the toolkit runs a nested loop), so the
    /// caller's objects may change before this returns.
    virtual int runModal(const Alert& alert) = 0;
};

} // namespace corvel::platform
