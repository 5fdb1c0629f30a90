#pragma once

#include "backend/GhostRecoveryOutcome.h"
#include "platform/Alert.h"

#include <optional>

namespace corvel {

/// The words of the menu bar repair: what the person is told about an
/// outcome, and how a restart of Control Center is put to them. Pure.
struct RepairAlerts {
    /// None for requiresHostRestart: the person either declined or may not
    /// restart, and is told nothing more.
    static std::optional<platform::Alert> outcome(const GhostRecoveryOutcome& outcome);
    /// Its first button confirms.
    static platform::Alert hostRestartConfirmation();
};

} // namespace corvel
