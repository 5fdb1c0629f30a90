#include "settings/GroupSymbolPicker.h"

#include <algorithm>

namespace corvel::GroupSymbolPicker {

std::optional<std::size_t> markedIndex(std::string_view selection) {
    const auto found = std::find(availableSymbols.begin(), availableSymbols.end(), selection);
    if (found == availableSymbols.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - availableSymbols.begin());
}

} // namespace corvel::GroupSymbolPicker
