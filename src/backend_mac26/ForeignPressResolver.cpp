#include "backend_mac26/ForeignPressResolver.h"

#include "backend_mac26/Mac26WindowToken.h"

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {

std::optional<std::string> bundleIdentifierOf(const platform::Workspace& workspace,
                                              std::int32_t pid) {
    const auto application = workspace.runningApplicationForPid(pid);
    if (!application)
        return std::nullopt;
    return application->bundleIdentifier;
}

std::optional<std::string> stringAttribute(const platform::Accessibility& accessibility,
                                           const platform::AccessibilityElement& element,
                                           std::string_view attribute) {
    const auto result = accessibility.copyAttributeValue(element, attribute);
    if (result.error != platform::AccessibilityError::success || !result.value)
        return std::nullopt;
    return result.value->asString();
}

} // namespace

std::optional<platform::AccessibilityElement>
ForeignPressResolver::resolveAXElement(const Ports& ports, const ObservedItem& item) {
    std::optional<std::int32_t> owner;
    for (const auto& window : ports.windows.windows(MenuBarWindowList::statusWindowLayer))
        if (window.bounds && Mac26WindowToken::token(window.windowID) == item.id) {
            owner = window.ownerPID;
            break;
        }
    if (!owner)
        return std::nullopt;

    std::optional<double> itemX;
    if (item.frame)
        itemX = item.frame->x;
    for (const auto& candidate : candidates(ports, item, *owner)) {
        const auto children = extrasChildren(*ports.accessibility, candidate.pid);
        if (!children)
            continue;
        std::vector<Child> described;
        for (const auto& child : *children)
            described.push_back(describe(*ports.accessibility, child));
        const auto chosen =
            chooseChild(described, item.identity.title, itemX, candidate.isItemsApplication);
        if (chosen)
            return (*children)[*chosen];
    }
    return std::nullopt;
}

std::vector<ForeignPressResolver::Candidate>
ForeignPressResolver::candidates(const Ports& ports, const ObservedItem& item,
                                 std::int32_t windowOwner) {
    const std::string& bundleID = item.identity.bundleID;
    const auto selfBundleID = bundleIdentifierOf(*ports.workspace, ports.selfPID);
    const bool itemIsOwn = selfBundleID && *selfBundleID == bundleID;
    std::vector<Candidate> result;
    auto add = [&](std::int32_t pid, bool isItemsApplication) {
        if (pid == ports.selfPID && !itemIsOwn)
            return;
        for (const auto& existing : result)
            if (existing.pid == pid)
                return;
        result.push_back({pid, isItemsApplication});
    };
    if (!bundleID.empty())
        for (const auto& application :
             ports.workspace->runningApplicationsWithBundleIdentifier(bundleID))
            add(application.processIdentifier, true);
    add(windowOwner, bundleIdentifierOf(*ports.workspace, windowOwner) == bundleID);
    add(ports.selfPID, true);
    return result;
}

std::optional<std::vector<platform::AccessibilityElement>>
ForeignPressResolver::extrasChildren(const platform::Accessibility& accessibility,
                                     std::int32_t pid) {
    const auto application = accessibility.createApplication(pid);
    const auto bar = accessibility.copyAttributeValue(
        application, platform::Accessibility::extrasMenuBarAttribute);
    if (bar.error != platform::AccessibilityError::success || !bar.value || !bar.value->asElement())
        return std::nullopt;
    const auto children = accessibility.copyAttributeValue(
        *bar.value->asElement(), platform::Accessibility::childrenAttribute);
    if (children.error != platform::AccessibilityError::success || !children.value ||
        !children.value->asArray())
        return std::nullopt;
    std::vector<platform::AccessibilityElement> elements;
    for (const auto& value : *children.value->asArray()) {
        const auto element = value.asElement();
        if (!element)
            return std::nullopt;
        elements.push_back(*element);
    }
    if (elements.empty())
        return std::nullopt;
    return elements;
}

ForeignPressResolver::Child
ForeignPressResolver::describe(const platform::Accessibility& accessibility,
                               const platform::AccessibilityElement& element) {
    Child child;
    child.title = stringAttribute(accessibility, element, platform::Accessibility::titleAttribute);
    child.description =
        stringAttribute(accessibility, element, platform::Accessibility::descriptionAttribute);
    const auto position =
        accessibility.copyAttributeValue(element, platform::Accessibility::positionAttribute);
    if (position.error == platform::AccessibilityError::success && position.value)
        if (const auto point = position.value->asPoint())
            child.x = point->x;
    return child;
}

std::optional<std::size_t> ForeignPressResolver::chooseChild(const std::vector<Child>& children,
                                                             const std::string& title,
                                                             std::optional<double> itemX,
                                                             bool isItemsApplication) {
    std::vector<std::size_t> all(children.size());
    for (std::size_t i = 0; i < children.size(); ++i)
        all[i] = i;
    const auto placed = nearest(children, all, itemX);
    if (!isItemsApplication)
        return placed;
    if (!title.empty()) {
        for (auto field : {&Child::title, &Child::description}) {
            std::vector<std::size_t> named;
            for (std::size_t i = 0; i < children.size(); ++i)
                if (children[i].*field == title)
                    named.push_back(i);
            if (named.empty())
                continue;
            // An application may name two extras alike (one described by its
            // own name, one falling back to it): a namesake standing
            // elsewhere yields to the child standing where the item is.
            if (const auto namedAndPlaced = nearest(children, named, itemX))
                return namedAndPlaced;
            return placed ? placed : named.front();
        }
    }
    if (placed)
        return placed;
    if (children.size() == 1)
        return 0;
    return std::nullopt;
}

std::optional<std::size_t> ForeignPressResolver::nearest(const std::vector<Child>& children,
                                                         const std::vector<std::size_t>& among,
                                                         std::optional<double> itemX) {
    if (!itemX)
        return std::nullopt;
    std::optional<std::size_t> found;
    double foundDistance = positionTolerance;
    for (const std::size_t i : among) {
        if (!children[i].x)
            continue;
        const double distance = std::fabs(*children[i].x - *itemX);
        if (distance <= positionTolerance && (!found || distance < foundDistance)) {
            found = i;
            foundDistance = distance;
        }
    }
    return found;
}

} // namespace corvel
