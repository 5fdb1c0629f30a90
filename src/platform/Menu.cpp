#include "platform/Menu.h"

namespace corvel::platform {

void Menu::addItem(MenuItem item) {
    items_.push_back(std::move(item));
}

void Menu::removeAllItems() {
    items_.clear();
}

void Menu::setUpdateHandler(UpdateHandler handler) {
    updateHandler_ = std::move(handler);
}

const std::vector<MenuItem>& Menu::prepareToOpen() {
    if (updateHandler_) {
        // The handler may replace itself; keep it alive while it runs.
        auto handler = updateHandler_;
        handler(*this);
    }
    return items_;
}

bool Menu::performItem(std::size_t index) {
    if (index >= items_.size())
        return false;
    const MenuItem& item = items_[index];
    if (item.isSeparator || !item.isEnabled || !item.action)
        return false;
    // A copy, because the action may clear the items or destroy the menu.
    auto action = item.action;
    action();
    return true;
}

} // namespace corvel::platform
