#include "backend_mac26/MenuBarGeometryHysteresis.h"

namespace corvel {

MenuBarGeometryHysteresis MenuBarGeometryHysteresis::seeded(bool settled) {
    MenuBarGeometryHysteresis state;
    state.settledStreak = settled ? 1 : 0;
    state.unsettledStreak = settled ? 0 : 1;
    return state;
}

std::optional<bool> MenuBarGeometryHysteresis::observe(bool settled) {
    if (settled) {
        ++settledStreak;
        unsettledStreak = 0;
        if (unsettledReported && settledStreak >= requiredStreak) {
            unsettledReported = false;
            return false;
        }
        return std::nullopt;
    }
    ++unsettledStreak;
    settledStreak = 0;
    if (!unsettledReported && unsettledStreak >= requiredStreak) {
        unsettledReported = true;
        return true;
    }
    return std::nullopt;
}

} // namespace corvel
