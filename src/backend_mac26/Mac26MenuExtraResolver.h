#pragma once

#include "async/Executor.h"
#include "platform/Accessibility.h"
#include "platform/Workspace.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

/// Finds every running application's menu extras through the accessibility
/// tree, so that a menu bar window can be matched to the extra at its
/// position. Safe from any thread (the ports are).
class Mac26MenuExtraResolver {
  public:
    /// One child of an application's extras menu bar.
    struct MenuExtra {
        std::string bundleID;
        /// The child's description, else the application's name, else its
        /// bundle identifier.
        std::string name;
        /// Horizontal position in global screen points; negative for an
        /// item pushed off the left edge.
        double x = 0;
        /// The child's identifier; for Corvel's own icons, the icon's handle.
        std::string identifier;
        /// A child of Corvel's own process: one of its own status items.
        bool isOwn = false;

        friend bool operator==(const MenuExtra&, const MenuExtra&) = default;
    };

    /// A window and an extra match when their x positions differ by at most this.
    static constexpr double matchTolerance = 12.0;
    static constexpr std::string_view controlCenterBundleID = "com.apple.controlcenter";
    /// How long Corvel waits for another application's accessibility answer
    /// (the platform would wait 6 seconds), and how long an application that
    /// did not answer in time is left out of later walks.
    static constexpr float messagingTimeoutSeconds = 0.5f;
    static constexpr async::Duration unresponsiveRest = std::chrono::seconds(10);

    /// `selfPID` tells Corvel's own extras from foreign ones; `clock` (which
    /// must outlive the resolver) times the rest of unresponsive
    /// applications, none without it.
    Mac26MenuExtraResolver(std::shared_ptr<const platform::Accessibility> accessibility,
                           std::shared_ptr<const platform::Workspace> workspace,
                           std::int32_t selfPID = 0, const async::Executor* clock = nullptr);

    /// Every running application's extras: applications in workspace order,
    /// children in accessibility order; children never placed (at 0, 0) are
    /// left out. Empty when Corvel is not trusted; any failure drops only the
    /// application or child concerned, and an application that does not
    /// answer in time is left out for `unresponsiveRest`. Holds the calling
    /// thread while applications answer: never call it on the main thread.
    std::vector<MenuExtra> currentExtras() const;

    /// The extra nearest to `windowX` (the first on a tie) when it lies
    /// within `tolerance`; pure.
    static std::optional<MenuExtra> match(double windowX, const std::vector<MenuExtra>& extras,
                                          double tolerance);

  private:
    /// Nothing when the application has no extras or did not answer; the
    /// latter is noted in `timedOut`.
    std::optional<std::vector<platform::AccessibilityElement>>
    extrasMenuBarChildren(std::int32_t pid, bool& timedOut) const;
    bool isResting(std::int32_t pid) const;
    void rest(std::int32_t pid) const;
    std::optional<std::string> stringAttribute(const platform::AccessibilityElement& element,
                                               std::string_view attribute) const;

    std::shared_ptr<const platform::Accessibility> accessibility_;
    std::shared_ptr<const platform::Workspace> workspace_;
    const std::int32_t selfPID_;
    const async::Executor* clock_;
    mutable std::mutex restMutex_;
    mutable std::map<std::int32_t, async::TimePoint> restingUntil_;
};

} // namespace corvel
