#pragma once

#include "platform/Image.h"

#include <optional>
#include <string>

namespace corvel::platform {

/// The system's symbol images. Thread-safe.
class SymbolImages {
  public:
    virtual ~SymbolImages() = default;

    /// The symbol named `name`, or nothing when the system has no such symbol.
    virtual std::optional<Image>
    systemSymbolImage(const std::string& name,
                      const std::string& accessibilityDescription) const = 0;
};

} // namespace corvel::platform
