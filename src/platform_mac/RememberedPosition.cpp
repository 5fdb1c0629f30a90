#include "platform_mac/RememberedPosition.h"

namespace corvel::mac {

std::string RememberedPosition::key(std::string_view autosaveName) {
    return std::string(keyPrefix) + std::string(autosaveName);
}

std::string RememberedPosition::logLine(std::string_view autosaveName,
                                        const std::optional<std::string>& removed) {
    const std::string quoted = "\"" + key(autosaveName) + "\"";
    if (removed)
        return "Corvel: forgot the remembered position of " + std::string(autosaveName) +
               ": removed " + quoted + " = " + *removed + " from the defaults";
    return "Corvel: no remembered position of " + std::string(autosaveName) + " under " + quoted +
           " in the defaults; if the item keeps its place, the key has another form";
}

} // namespace corvel::mac
