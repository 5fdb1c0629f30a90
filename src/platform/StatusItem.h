#pragma once

#include "platform/Menu.h"
#include "platform/StatusBarButton.h"

#include <memory>
#include <string>

namespace corvel::platform {

/// One item in the menu bar. Main thread only. The item stays in the bar
/// until StatusBar::removeStatusItem, whoever else holds it.
class StatusItem {
  public:
    /// Length that follows the button's content.
    static constexpr double variableLength = -1;
    /// Length equal to the menu bar's thickness.
    static constexpr double squareLength = -2;

    virtual ~StatusItem() = default;

    virtual double length() const = 0;
    /// Relays the menu bar at once.
    virtual void setLength(double length) = 0;
    /// The name under which the platform remembers the item's position; the
    /// platform gives one of its own until it is set.
    virtual std::string autosaveName() const = 0;
    virtual void setAutosaveName(std::string name) = 0;
    virtual std::shared_ptr<Menu> menu() const = 0;
    /// A menu opens on click instead of the button's action.
    virtual void setMenu(std::shared_ptr<Menu> menu) = 0;
    virtual StatusBarButton& button() = 0;
};

} // namespace corvel::platform
