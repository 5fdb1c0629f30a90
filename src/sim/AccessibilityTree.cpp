#include "sim/AccessibilityTree.h"

#include "platform/Accessibility.h"

#include <algorithm>

namespace corvel::sim {

namespace {

using platform::Accessibility;
using platform::AccessibilityError;
using platform::AccessibilityValueResult;
using platform::PlatformValue;

constexpr std::uint64_t applicationId = 0;
constexpr std::uint64_t extrasMenuBarId = 1;
constexpr std::uint64_t firstExtraId = 2;

std::optional<std::uint64_t> itemOf(const platform::AccessibilityElement& element) {
    if (element.id < firstExtraId)
        return std::nullopt;
    return element.id - firstExtraId;
}

AccessibilityValueResult textOrNoValue(const std::string& text) {
    if (text.empty())
        return AccessibilityValueResult::failed(AccessibilityError::noValue);
    return AccessibilityValueResult::success(PlatformValue::string(text));
}

bool isRunning(const World& world, std::int32_t pid) {
    const SimProcess* process = world.process(pid);
    return process && process->running;
}

} // namespace

AccessibilityValueResult
AccessibilityTree::copyAttributeValue(const World& world,
                                      const platform::AccessibilityElement& element,
                                      std::string_view attribute, async::TimePoint now) {
    if (!world.accessibilityTrusted)
        return AccessibilityValueResult::failed(AccessibilityError::apiDisabled);
    if (!isRunning(world, element.pid))
        return AccessibilityValueResult::failed(AccessibilityError::cannotComplete);
    if (element.id == applicationId)
        return applicationAttribute(world, element.pid, attribute);
    if (element.id == extrasMenuBarId)
        return menuBarAttribute(world, element.pid, attribute);
    const StatusEntry* entry = world.entryByItem(*itemOf(element));
    if (!entry || entry->creatorPid != element.pid)
        return AccessibilityValueResult::failed(AccessibilityError::invalidUIElement);
    return extraAttribute(world, *entry, attribute, now);
}

AccessibilityTree::PressResult
AccessibilityTree::performAction(World& world, const platform::AccessibilityElement& element,
                                 std::string_view action) {
    if (!world.accessibilityTrusted)
        return {AccessibilityError::apiDisabled, std::nullopt};
    if (!isRunning(world, element.pid))
        return {AccessibilityError::cannotComplete, std::nullopt};
    const auto itemId = itemOf(element);
    if (!itemId)
        return {AccessibilityError::actionUnsupported, std::nullopt};
    const StatusEntry* entry = world.entryByItem(*itemId);
    if (!entry || entry->creatorPid != element.pid)
        return {AccessibilityError::invalidUIElement, std::nullopt};
    if (action != Accessibility::pressAction)
        return {AccessibilityError::actionUnsupported, std::nullopt};
    ++world.counters.presses;
    return {AccessibilityError::success, world.activate(*itemId)};
}

std::vector<const StatusEntry*> AccessibilityTree::extrasOf(const World& world, std::int32_t pid) {
    std::vector<const StatusEntry*> extras;
    for (const auto& entry : world.entries())
        if (!entry.isLeftover && entry.creatorPid == pid)
            extras.push_back(&entry);
    std::sort(extras.begin(), extras.end(),
              [](const StatusEntry* a, const StatusEntry* b) { return a->itemId < b->itemId; });
    return extras;
}

AccessibilityValueResult AccessibilityTree::applicationAttribute(const World& world,
                                                                 std::int32_t pid,
                                                                 std::string_view attribute) {
    if (attribute == Accessibility::extrasMenuBarAttribute) {
        if (extrasOf(world, pid).empty())
            return AccessibilityValueResult::failed(AccessibilityError::noValue);
        return AccessibilityValueResult::success(PlatformValue::element({pid, extrasMenuBarId}));
    }
    if (attribute == Accessibility::titleAttribute)
        return textOrNoValue(world.process(pid)->name);
    if (attribute == "AXRole")
        return textOrNoValue("AXApplication");
    return AccessibilityValueResult::failed(AccessibilityError::attributeUnsupported);
}

AccessibilityValueResult AccessibilityTree::menuBarAttribute(const World& world, std::int32_t pid,
                                                             std::string_view attribute) {
    const auto extras = extrasOf(world, pid);
    if (extras.empty())
        return AccessibilityValueResult::failed(AccessibilityError::invalidUIElement);
    if (attribute == Accessibility::childrenAttribute) {
        PlatformValue::Array children;
        for (const StatusEntry* entry : extras)
            children.push_back(PlatformValue::element({pid, firstExtraId + entry->itemId}));
        return AccessibilityValueResult::success(PlatformValue::array(std::move(children)));
    }
    if (attribute == "AXRole")
        return textOrNoValue("AXMenuBar");
    return AccessibilityValueResult::failed(AccessibilityError::attributeUnsupported);
}

AccessibilityValueResult AccessibilityTree::extraAttribute(const World& world,
                                                           const StatusEntry& entry,
                                                           std::string_view attribute,
                                                           async::TimePoint now) {
    if (attribute == Accessibility::positionAttribute) {
        // An item whose window has not registered has no place yet.
        const platform::Point origin =
            entry.registered ? world.reportedFrame(entry, now).origin : platform::Point{};
        return AccessibilityValueResult::success(PlatformValue::point(origin));
    }
    if (attribute == Accessibility::identifierAttribute)
        return textOrNoValue(entry.identifier);
    if (attribute == Accessibility::descriptionAttribute) {
        if (!entry.description.empty())
            return textOrNoValue(entry.description);
        return textOrNoValue(entry.image ? entry.image->accessibilityDescription() : "");
    }
    if (attribute == Accessibility::titleAttribute)
        return AccessibilityValueResult::success(PlatformValue::string(
            entry.accessibilityTitle.empty() ? entry.title : entry.accessibilityTitle));
    if (attribute == "AXRole")
        return textOrNoValue("AXMenuBarItem");
    return AccessibilityValueResult::failed(AccessibilityError::attributeUnsupported);
}

} // namespace corvel::sim
