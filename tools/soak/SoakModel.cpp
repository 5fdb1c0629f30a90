#include "soak/SoakModel.h"

#include "domain/WellKnownGroup.h"
#include "settings/GroupOrder.h"

#include <algorithm>
#include <sstream>
#include <unordered_map>

namespace corvel::soak {

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text = "[";
    for (const auto& name : names)
        text += (text.size() > 1 ? ", " : "") + name;
    return text + "]";
}

std::string filingOf(const std::map<std::string, std::string>& filed, const std::string& bundle) {
    const auto entry = filed.find(bundle);
    return entry == filed.end() ? "unfiled" : "in " + entry->second;
}

} // namespace

SoakModel SoakModel::of(const CorvelStore& store, const std::vector<std::string>& bundles) {
    SoakModel model;
    std::unordered_map<GroupID, std::string> names;
    for (const auto& group : GroupOrder::sorted(store.groups)) {
        model.groups.push_back(group.name);
        names.emplace(group.id, group.name);
    }
    for (const auto& bundle : bundles) {
        const auto item =
            std::find_if(store.items.begin(), store.items.end(),
                         [&](const Item& item) { return item.identity.bundleID == bundle; });
        if (item == store.items.end() || !item->groupID)
            continue;
        const auto name = names.find(*item->groupID);
        if (name != names.end())
            model.filed.emplace(bundle, name->second);
        else if (*item->groupID == WellKnownGroup::hidden)
            model.filed.emplace(bundle, "the Hidden Group");
        else
            model.filed.emplace(bundle, "a Group that is gone");
    }
    return model;
}

std::string SoakModel::differences(const SoakModel& actual) const {
    std::ostringstream text;
    if (groups != actual.groups)
        text << "Groups " << joined(actual.groups) << " instead of " << joined(groups) << "; ";
    std::vector<std::string> bundles;
    for (const auto* filing : {&filed, &actual.filed})
        for (const auto& [bundle, group] : *filing)
            bundles.push_back(bundle);
    std::sort(bundles.begin(), bundles.end());
    bundles.erase(std::unique(bundles.begin(), bundles.end()), bundles.end());
    for (const auto& bundle : bundles) {
        const auto expected = filingOf(filed, bundle);
        const auto found = filingOf(actual.filed, bundle);
        if (expected != found)
            text << bundle << " " << found << " instead of " << expected << "; ";
    }
    auto result = text.str();
    if (!result.empty())
        result.resize(result.size() - 2);
    return result;
}

bool SoakModel::hasGroup(const std::string& name) const {
    return std::find(groups.begin(), groups.end(), name) != groups.end();
}

void SoakModel::removeGroup(const std::string& name) {
    std::erase(groups, name);
    std::erase_if(filed, [&](const auto& filing) { return filing.second == name; });
}

void SoakModel::renameGroup(const std::string& name, const std::string& newName) {
    std::replace(groups.begin(), groups.end(), name, newName);
    for (auto& [bundle, group] : filed)
        if (group == name)
            group = newName;
}

std::vector<std::string> SoakModel::membersOf(const std::string& group) const {
    std::vector<std::string> members;
    for (const auto& [bundle, filedInto] : filed)
        if (filedInto == group)
            members.push_back(bundle);
    return members;
}

} // namespace corvel::soak
