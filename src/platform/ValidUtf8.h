#pragma once

#include <string>
#include <string_view>

namespace corvel::platform {

/// `text` with every ill-formed UTF-8 sequence replaced by U+FFFD, one per
/// maximal ill-formed subpart, as Unicode recommends. Text that other
/// applications hand us (item titles, names) passes through here, so that the
/// rest of Corvel, and the store document, only ever hold valid UTF-8.
std::string validUtf8(std::string_view text);

} // namespace corvel::platform
