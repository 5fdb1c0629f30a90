#include "backend_mac26/Mac26MenuExtraResolver.h"

#include "platform/ActivationPolicy.h"

#include <cmath>

namespace corvel {

using platform::Accessibility;
using platform::AccessibilityElement;
using platform::AccessibilityError;

Mac26MenuExtraResolver::Mac26MenuExtraResolver(
    std::shared_ptr<const platform::Accessibility> accessibility,
    std::shared_ptr<const platform::Workspace> workspace)
    : accessibility_(std::move(accessibility)), workspace_(std::move(workspace)) {}

std::optional<std::vector<AccessibilityElement>>
Mac26MenuExtraResolver::extrasMenuBarChildren(std::int32_t pid) const {
    const AccessibilityElement application = accessibility_->createApplication(pid);
    const auto bar =
        accessibility_->copyAttributeValue(application, Accessibility::extrasMenuBarAttribute);
    if (bar.error != AccessibilityError::success || !bar.value)
        return std::nullopt;
    const auto barElement = bar.value->asElement();
    if (!barElement)
        return std::nullopt;
    const auto children =
        accessibility_->copyAttributeValue(*barElement, Accessibility::childrenAttribute);
    if (children.error != AccessibilityError::success || !children.value)
        return std::nullopt;
    const auto* list = children.value->asArray();
    if (!list || list->empty())
        return std::nullopt;
    std::vector<AccessibilityElement> elements;
    elements.reserve(list->size());
    for (const auto& child : *list) {
        // A list with anything but elements in it is not a list of elements.
        auto element = child.asElement();
        if (!element)
            return std::nullopt;
        elements.push_back(*element);
    }
    return elements;
}

std::optional<std::string>
Mac26MenuExtraResolver::stringAttribute(const AccessibilityElement& element,
                                        std::string_view attribute) const {
    const auto result = accessibility_->copyAttributeValue(element, attribute);
    if (result.error != AccessibilityError::success || !result.value)
        return std::nullopt;
    return result.value->asString();
}

std::vector<Mac26MenuExtraResolver::MenuExtra> Mac26MenuExtraResolver::currentExtras() const {
    std::vector<MenuExtra> extras;
    if (!accessibility_->isProcessTrusted())
        return extras;
    for (const auto& application : workspace_->runningApplications()) {
        if (application.activationPolicy == platform::ActivationPolicy::prohibited ||
            !application.bundleIdentifier)
            continue;
        const auto children = extrasMenuBarChildren(application.processIdentifier);
        if (!children)
            continue;
        const std::string& bundleID = *application.bundleIdentifier;
        const bool isControlCenter = bundleID == controlCenterBundleID;
        for (const auto& child : *children) {
            const auto position =
                accessibility_->copyAttributeValue(child, Accessibility::positionAttribute);
            if (position.error != AccessibilityError::success || !position.value)
                continue;
            const auto point = position.value->asPoint();
            // Items pushed off the left edge and unplaced items sit at x <= 0.
            if (!point || !(point->x > 0))
                continue;
            const auto identifier =
                stringAttribute(child, Accessibility::identifierAttribute).value_or("");
            auto name = stringAttribute(child, Accessibility::descriptionAttribute).value_or("");
            if (isControlCenter && identifier.empty())
                continue;
            if (name.empty())
                name = application.localizedName && !application.localizedName->empty()
                           ? *application.localizedName
                           : bundleID;
            extras.push_back(MenuExtra{bundleID, std::move(name), point->x});
        }
    }
    return extras;
}

std::optional<Mac26MenuExtraResolver::MenuExtra>
Mac26MenuExtraResolver::match(double windowX, const std::vector<MenuExtra>& extras,
                              double tolerance) {
    const MenuExtra* nearest = nullptr;
    double nearestDistance = 0;
    for (const auto& extra : extras) {
        const double distance = std::abs(extra.x - windowX);
        if (!nearest || distance < nearestDistance) {
            nearest = &extra;
            nearestDistance = distance;
        }
    }
    if (!nearest || !(nearestDistance <= tolerance))
        return std::nullopt;
    return *nearest;
}

} // namespace corvel
