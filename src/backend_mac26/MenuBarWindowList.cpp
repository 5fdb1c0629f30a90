#include "backend_mac26/MenuBarWindowList.h"

#include "backend_mac26/MenuBarWindowListReader.h"

namespace corvel {

MenuBarWindowList::MenuBarWindowList(std::shared_ptr<const platform::WindowList> port)
    : port_(std::move(port)) {}

std::vector<MenuBarWindowInfo> MenuBarWindowList::windows(std::int64_t layer) const {
    const auto list =
        port_->copyWindowInfo(platform::WindowList::optionAll, platform::WindowList::nullWindowID);
    return MenuBarWindowListReader::windows(list ? &*list : nullptr, layer);
}

std::vector<MenuBarWindowInfo> MenuBarWindowList::layer25Windows() const {
    return windows(statusWindowLayer);
}

} // namespace corvel
