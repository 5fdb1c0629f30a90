#include "ui/RepairAlerts.h"

#include <string>

namespace corvel {

std::optional<platform::Alert> RepairAlerts::outcome(const GhostRecoveryOutcome& outcome) {
    switch (outcome.kind()) {
    case GhostRecoveryOutcome::Kind::recovered: {
        int count = outcome.clearedCount();
        return platform::Alert{"Menu Bar Repaired",
                               "Cleared " + std::to_string(count) + " leftover item" +
                                   (count == 1 ? "" : "s") + ".",
                               {}};
    }
    case GhostRecoveryOutcome::Kind::clean:
        return platform::Alert{"Menu Bar Looks Fine", "Corvel found nothing to repair.", {}};
    case GhostRecoveryOutcome::Kind::requiresHostRestart:
        return std::nullopt;
    }
    return std::nullopt;
}

platform::Alert RepairAlerts::hostRestartConfirmation() {
    return {"Repair the Menu Bar?",
            "Corvel needs to briefly restart Control Center to clear leftover items. Real Menu Bar "
            "items return unchanged, but the bar will flicker for a moment.",
            {"Repair", "Cancel"}};
}

} // namespace corvel
