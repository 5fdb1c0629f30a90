#pragma once

#include "platform/SymbolImages.h"

namespace corvel::mac {

/// The system's symbol images (SF Symbols through NSImage). Thread-safe:
/// each call makes an image of its own and keeps none.
class MacSymbolImages final : public platform::SymbolImages {
  public:
    std::optional<platform::Image>
    systemSymbolImage(const std::string& name,
                      const std::string& accessibilityDescription) const override;
};

} // namespace corvel::mac
