#pragma once

#include "platform/StatusItem.h"

#include <memory>
#include <string>

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
    /// Forgets where this process's item of that autosave name stood, so an
    /// item given the name later appears where a new item does. (macOS keeps
    /// the place in the application's preferences and restores it.) An item
    /// of that name in the bar stays where it is. Forgetting an unknown name
    /// does nothing.
    virtual void forgetRememberedPosition(const std::string& autosaveName) = 0;
};

} // namespace corvel::platform
