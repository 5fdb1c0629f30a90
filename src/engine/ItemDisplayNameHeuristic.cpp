#include "engine/ItemDisplayNameHeuristic.h"

#include "engine/UnicodeText.h"

#include <string_view>

namespace corvel::ItemDisplayNameHeuristic {

namespace {

constexpr std::string_view generatedTitlePrefix = "Item-";

/// Applications that never set a title get "Item-0", "Item-1", ... from the
/// platform; those say nothing to the user.
bool isGeneratedTitle(std::string_view title) {
    return title.starts_with(generatedTitlePrefix) &&
           UnicodeText::isAllNumeric(title.substr(generatedTitlePrefix.size()));
}

std::string lastComponent(const std::string& bundleID) {
    const auto end = bundleID.find_last_not_of('.');
    if (end == std::string::npos)
        return bundleID;
    const auto dot = bundleID.rfind('.', end);
    const auto begin = dot == std::string::npos ? 0 : dot + 1;
    return bundleID.substr(begin, end + 1 - begin);
}

} // namespace

std::string displayName(const ItemIdentity& identity, const std::optional<std::string>& override) {
    if (override && !override->empty())
        return *override;
    if (!identity.title.empty() && !isGeneratedTitle(identity.title))
        return identity.title;
    if (identity.bundleID == "com.apple.controlcenter")
        return "Menu Bar Item";
    return lastComponent(identity.bundleID);
}

} // namespace corvel::ItemDisplayNameHeuristic
