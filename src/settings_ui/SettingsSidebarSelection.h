#pragma once

#include "domain/GroupID.h"

#include <optional>

namespace corvel {

/// Which row of the settings sidebar is selected, and so which pane shows.
class SettingsSidebarSelection {
  public:
    enum class Kind { layout, unresolved, hiddenGroup, group };

    static SettingsSidebarSelection layout() { return SettingsSidebarSelection(Kind::layout); }
    static SettingsSidebarSelection unresolved() {
        return SettingsSidebarSelection(Kind::unresolved);
    }
    static SettingsSidebarSelection hiddenGroup() {
        return SettingsSidebarSelection(Kind::hiddenGroup);
    }
    static SettingsSidebarSelection group(GroupID id) {
        return SettingsSidebarSelection(Kind::group, id);
    }

    Kind kind() const { return kind_; }
    /// Set for `group` only.
    const std::optional<GroupID>& groupID() const { return groupID_; }

    friend bool operator==(const SettingsSidebarSelection&,
                           const SettingsSidebarSelection&) = default;

  private:
    explicit SettingsSidebarSelection(Kind kind, std::optional<GroupID> groupID = std::nullopt)
        : kind_(kind), groupID_(groupID) {}

    Kind kind_;
    std::optional<GroupID> groupID_;
};

} // namespace corvel
