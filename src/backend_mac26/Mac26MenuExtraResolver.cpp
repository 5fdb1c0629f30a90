#include "backend_mac26/Mac26MenuExtraResolver.h"

#include "platform/ActivationPolicy.h"

#include <cmath>

namespace corvel {

using platform::Accessibility;
using platform::AccessibilityElement;
using platform::AccessibilityError;

Mac26MenuExtraResolver::Mac26MenuExtraResolver(
    std::shared_ptr<const platform::Accessibility> accessibility,
    std::shared_ptr<const platform::Workspace> workspace, std::int32_t selfPID,
    const async::Executor* clock)
    : accessibility_(std::move(accessibility)), workspace_(std::move(workspace)), selfPID_(selfPID),
      clock_(clock) {}

bool Mac26MenuExtraResolver::isResting(std::int32_t pid) const {
    if (!clock_)
        return false;
    std::lock_guard lock(restMutex_);
    const auto resting = restingUntil_.find(pid);
    return resting != restingUntil_.end() && clock_->now() < resting->second;
}

void Mac26MenuExtraResolver::rest(std::int32_t pid) const {
    if (!clock_)
        return;
    std::lock_guard lock(restMutex_);
    restingUntil_[pid] = clock_->now() + unresponsiveRest;
}

std::optional<std::vector<AccessibilityElement>>
Mac26MenuExtraResolver::extrasMenuBarChildren(std::int32_t pid, bool& timedOut) const {
    const AccessibilityElement application = accessibility_->createApplication(pid);
    const auto bar =
        accessibility_->copyAttributeValue(application, Accessibility::extrasMenuBarAttribute);
    // A running application that cannot complete a read did not answer in time.
    timedOut = bar.error == AccessibilityError::cannotComplete;
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
            !application.bundleIdentifier || isResting(application.processIdentifier))
            continue;
        bool timedOut = false;
        const auto children = extrasMenuBarChildren(application.processIdentifier, timedOut);
        if (timedOut)
            rest(application.processIdentifier);
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
            // An item whose window is not placed yet stands at (0, 0). Items
            // pushed off the left edge count: filed items live there.
            if (!point || (point->x == 0 && point->y == 0))
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
            const bool isOwn = application.processIdentifier == selfPID_;
            extras.push_back(MenuExtra{bundleID, std::move(name), point->x, identifier, isOwn});
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
