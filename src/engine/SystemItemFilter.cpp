#include "engine/SystemItemFilter.h"

#include "engine/UnicodeText.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace corvel::SystemItemFilter {

namespace {

const std::unordered_set<std::string>& systemModuleNames() {
    static const std::unordered_set<std::string> names{
        "clock",         "battery",        "wifi",
        "controlcenter", "control center", "audiovideomodule",
        "nowplaying",    "focusmodes",     "screen mirroring",
    };
    return names;
}

} // namespace

bool isSystemModule(std::string_view title) {
    const auto lowered = UnicodeText::lowercased(title);
    return lowered.starts_with("bentobox") || systemModuleNames().contains(lowered);
}

bool isSystemItem(const ObservedItem& item) {
    // The dot belongs to the prefix: "com.applesauce" is somebody else's.
    return item.identity.bundleID.starts_with("com.apple.") || isSystemModule(item.identity.title);
}

std::vector<ObservedItem> movable(const std::vector<ObservedItem>& items) {
    std::vector<ObservedItem> result;
    std::copy_if(items.begin(), items.end(), std::back_inserter(result),
                 [](const ObservedItem& item) { return !isSystemItem(item); });
    return result;
}

} // namespace corvel::SystemItemFilter
