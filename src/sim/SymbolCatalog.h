#pragma once

#include <set>
#include <string>

namespace corvel::sim {

/// The system symbol names the simulated desktop knows. macOS knows
/// thousands; the simulator knows those the interface uses and a few dozen
/// common ones, and answers nothing for the rest.
class SymbolCatalog {
  public:
    static bool contains(const std::string& name);
    /// Every known name, so that whoever draws the symbols can cover them all.
    static const std::set<std::string>& names();
};

} // namespace corvel::sim
