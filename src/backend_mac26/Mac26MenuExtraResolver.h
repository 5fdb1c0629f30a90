#pragma once

#include "platform/Accessibility.h"
#include "platform/Workspace.h"

#include <memory>
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
        /// Horizontal position in global screen points.
        double x = 0;

        friend bool operator==(const MenuExtra&, const MenuExtra&) = default;
    };

    /// A window and an extra match when their x positions differ by at most this.
    static constexpr double matchTolerance = 12.0;
    static constexpr std::string_view controlCenterBundleID = "com.apple.controlcenter";

    Mac26MenuExtraResolver(std::shared_ptr<const platform::Accessibility> accessibility,
                           std::shared_ptr<const platform::Workspace> workspace);

    /// Every running application's extras: applications in workspace order,
    /// children in accessibility order. Empty when Corvel is not trusted;
    /// any failure drops only the application or child concerned.
    std::vector<MenuExtra> currentExtras() const;

    /// The extra nearest to `windowX` (the first on a tie) when it lies
    /// within `tolerance`; pure.
    static std::optional<MenuExtra> match(double windowX, const std::vector<MenuExtra>& extras,
                                          double tolerance);

  private:
    std::optional<std::vector<platform::AccessibilityElement>>
    extrasMenuBarChildren(std::int32_t pid) const;
    std::optional<std::string> stringAttribute(const platform::AccessibilityElement& element,
                                               std::string_view attribute) const;

    std::shared_ptr<const platform::Accessibility> accessibility_;
    std::shared_ptr<const platform::Workspace> workspace_;
};

} // namespace corvel
