#pragma once

#include "domain/CorvelStore.h"

#include <map>
#include <string>
#include <vector>

namespace corvel::soak {

/// What the person asked for, as the store must keep it: the Groups by name
/// from left to right, and the Group each application's item is filed into.
/// Names stand for Groups: the soak never gives two Groups one name.
struct SoakModel {
    std::vector<std::string> groups;
    /// Bundle identifier to Group name; an unfiled item is not listed.
    std::map<std::string, std::string> filed;

    friend bool operator==(const SoakModel&, const SoakModel&) = default;

    /// What a store document says of the same, for these applications: each
    /// one's item is the document's first Item of that application, as the
    /// group store looks it up.
    static SoakModel of(const CorvelStore& store, const std::vector<std::string>& bundles);

    /// How `actual` differs from this, in a few words; empty when it does not.
    std::string differences(const SoakModel& actual) const;

    bool hasGroup(const std::string& name) const;
    /// The members become unfiled, as deleting a Group leaves them.
    void removeGroup(const std::string& name);
    void renameGroup(const std::string& name, const std::string& newName);
    std::vector<std::string> membersOf(const std::string& group) const;
};

} // namespace corvel::soak
