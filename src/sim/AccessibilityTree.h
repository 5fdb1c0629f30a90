#pragma once

#include "async/Executor.h"
#include "platform/AccessibilityElement.h"
#include "platform/AccessibilityError.h"
#include "platform/AccessibilityValueResult.h"
#include "sim/World.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvel::sim {

/// The applications' accessibility trees as the simulator exposes them: an
/// application element, its extras menu bar, and one child per menu extra in
/// creation order. Nothing answers while this process is not trusted.
class AccessibilityTree {
  public:
    /// Stands for every application; answers nothing but takes a messaging
    /// timeout.
    static constexpr platform::AccessibilityElement systemWideElement{0, 0};

    struct PressResult {
        platform::AccessibilityError error = platform::AccessibilityError::success;
        /// This process's own item, whose menu or action the caller runs.
        std::optional<std::uint64_t> ownItem;
    };

    static platform::AccessibilityValueResult
    copyAttributeValue(const World& world, const platform::AccessibilityElement& element,
                       std::string_view attribute, async::TimePoint now);
    static PressResult performAction(World& world, const platform::AccessibilityElement& element,
                                     std::string_view action);

  private:
    static std::vector<const StatusEntry*> extrasOf(const World& world, std::int32_t pid);
    static platform::AccessibilityValueResult
    applicationAttribute(const World& world, std::int32_t pid, std::string_view attribute);
    static platform::AccessibilityValueResult menuBarAttribute(const World& world, std::int32_t pid,
                                                               std::string_view attribute);
    static platform::AccessibilityValueResult extraAttribute(const World& world,
                                                             const StatusEntry& entry,
                                                             std::string_view attribute,
                                                             async::TimePoint now);
};

} // namespace corvel::sim
