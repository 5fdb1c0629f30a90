#pragma once

#include <string>

namespace corvel::sim {

/// The system symbol names the simulated desktop knows. macOS knows
/// thousands; the simulator knows those the interface uses and a few dozen
/// common ones, and answers nothing for the rest.
class SymbolCatalog {
  public:
    static bool contains(const std::string& name);
};

} // namespace corvel::sim
