#pragma once

#include "backend/BackendItemToken.h"

#include <cstdint>
#include <string_view>

namespace corvel {

/// The token of a menu bar window, derived from its window number alone, so
/// that one live window keeps one token and two windows never share one.
/// There is no way back: a token is found again only by searching the list.
class Mac26WindowToken {
  public:
    /// Four UUID groups and the first four hex digits of the fifth; the
    /// window number fills the last eight digits.
    static constexpr std::string_view prefix = "434F5256-454C-4954-454D-0000";

    static BackendItemToken token(std::uint32_t windowID);
};

} // namespace corvel
