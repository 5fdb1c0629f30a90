#pragma once

#include "platform/StatusItem.h"

#include <memory>

namespace corvel::platform {

/// The system status bar. Main thread only.
class StatusBar {
  public:
    virtual ~StatusBar() = default;

    /// A new item of `length` points (or StatusItem::variableLength /
    /// squareLength). Where it appears is the platform's business.
    virtual std::shared_ptr<StatusItem> statusItem(double length) = 0;
    /// Takes the item out of the bar; removing it twice does nothing.
    virtual void removeStatusItem(const std::shared_ptr<StatusItem>& item) = 0;
};

} // namespace corvel::platform
