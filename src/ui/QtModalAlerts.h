#pragma once

#include "platform/ModalAlerts.h"

namespace corvel {

/// Modal alerts as Qt message boxes. Main thread only; runModal() runs a
/// nested Qt event loop until the person answers.
class QtModalAlerts final : public platform::ModalAlerts {
  public:
    int runModal(const platform::Alert& alert) override;
};

} // namespace corvel
