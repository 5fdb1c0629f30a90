#include "backend_mac26/Mac26GhostRecoveryPlanner.h"

namespace corvel {

Mac26GhostRecoveryPlanner::Action Mac26GhostRecoveryPlanner::plan(int ghostCount,
                                                                  bool hostRestartAllowed) {
    if (ghostCount <= 0)
        return Action::reportClean();
    if (hostRestartAllowed)
        return Action::performHostRestart(ghostCount);
    return Action::reportRequiresHostRestart();
}

} // namespace corvel
