#pragma once

#include "backend/ObservedItem.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "platform/Accessibility.h"
#include "platform/AccessibilityElement.h"
#include "platform/Workspace.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel {

/// Finds the accessibility element that stands for a menu bar item, so that
/// pressing it opens the item's menu. Thread-safe ports only; it reads other
/// applications' accessibility, so it is called off the main thread.
class ForeignPressResolver {
  public:
    /// An element found by position lies within this many points of the
    /// item's left edge.
    static constexpr double positionTolerance = 12.0;

    struct Ports {
        MenuBarWindowList windows;
        std::shared_ptr<const platform::Accessibility> accessibility;
        std::shared_ptr<const platform::Workspace> workspace;
        std::int32_t selfPID = 0;
    };

    /// One child of an application's extras menu bar, as far as it answers.
    struct Child {
        std::optional<std::string> title;
        std::optional<std::string> description;
        std::optional<double> x;
    };

    /// Nothing when the item's window is gone or no candidate process has a
    /// matching element. Candidates: every running application with the
    /// item's bundle identifier, then the window's owner (the host, when it
    /// hosts the window), then this process when the item carries this
    /// process's bundle identifier (a foreign item is never pressed through
    /// one of this process's own items).
    static std::optional<platform::AccessibilityElement> resolveAXElement(const Ports& ports,
                                                                          const ObservedItem& item);

    /// Within a process of the item's own application: the child titled like
    /// the item, else the one described like it, else the nearest one within
    /// positionTolerance of `itemX`, else the only child. A name match that
    /// stands away from `itemX` while another child stands there is a
    /// namesake and yields to that child. In any other process (the host of
    /// the item's window) a child counts only where it stands at the item:
    /// the host's own extras may carry the item's name ("Battery"). Pure.
    static std::optional<std::size_t> chooseChild(const std::vector<Child>& children,
                                                  const std::string& title,
                                                  std::optional<double> itemX,
                                                  bool isItemsApplication);

  private:
    struct Candidate {
        std::int32_t pid = 0;
        /// Only a process of the item's own application may be pressed on the
        /// strength of a name or of having a single extra: the host of a
        /// hosted window has extras of its own.
        bool isItemsApplication = false;
    };

    static std::vector<Candidate> candidates(const Ports& ports, const ObservedItem& item,
                                             std::int32_t windowOwner);
    static std::optional<std::vector<platform::AccessibilityElement>>
    extrasChildren(const platform::Accessibility& accessibility, std::int32_t pid);
    /// The child among `among` nearest to `itemX`, within positionTolerance;
    /// on a tie the first.
    static std::optional<std::size_t> nearest(const std::vector<Child>& children,
                                              const std::vector<std::size_t>& among,
                                              std::optional<double> itemX);
    static Child describe(const platform::Accessibility& accessibility,
                          const platform::AccessibilityElement& element);
};

} // namespace corvel
