#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::base64 {

/// Standard alphabet with padding.
std::string encode(const std::vector<std::uint8_t>& bytes);
/// Nothing when `text` is not padded standard Base64.
std::optional<std::vector<std::uint8_t>> decode(std::string_view text);

} // namespace corvel::base64
