#include "sim/SimStatusItem.h"

#include "sim/SimulatedDesktop.h"

namespace corvel::sim {

SimStatusItem::SimStatusItem(std::weak_ptr<SimulatedDesktop> desktop, std::uint64_t itemId,
                             double length, std::string autosaveName)
    : desktop_(std::move(desktop)), itemId_(itemId), length_(length),
      autosaveName_(std::move(autosaveName)) {}

SimStatusItem::~SimStatusItem() {
    if (auto desktop = desktop_.lock())
        desktop->releaseItem(itemId_);
}

void SimStatusItem::setLength(double length) {
    length_ = length;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_, [&](World& world, StatusEntry& entry) {
            world.requestLength(entry.itemId, length);
        });
}

void SimStatusItem::setAutosaveName(std::string name) {
    autosaveName_ = name;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_, [&](World& world, StatusEntry& entry) {
            world.setAutosaveName(entry.itemId, name);
        });
}

void SimStatusItem::setMenu(std::shared_ptr<platform::Menu> menu) {
    menu_ = menu;
    // The replaced menu leaves through `menu`, destroyed after the lock.
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_,
                            [&](World&, StatusEntry& entry) { std::swap(entry.menu, menu); });
}

void SimStatusItem::setTitle(std::string title) {
    title_ = title;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_, [&](World&, StatusEntry& entry) { entry.title = title; });
}

void SimStatusItem::setAccessibilityTitle(std::string title) {
    accessibilityTitle_ = title;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_,
                            [&](World&, StatusEntry& entry) { entry.accessibilityTitle = title; });
}

void SimStatusItem::setImage(std::optional<platform::Image> image) {
    image_ = image;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_, [&](World&, StatusEntry& entry) { entry.image = image; });
}

void SimStatusItem::setImagePosition(platform::ImagePosition position) {
    imagePosition_ = position;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_,
                            [&](World&, StatusEntry& entry) { entry.imagePosition = position; });
}

void SimStatusItem::setIdentifier(std::string identifier) {
    identifier_ = identifier;
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_,
                            [&](World&, StatusEntry& entry) { entry.identifier = identifier; });
}

void SimStatusItem::setAction(Action action) {
    if (auto desktop = desktop_.lock())
        desktop->updateItem(itemId_,
                            [&](World&, StatusEntry& entry) { std::swap(entry.action, action); });
}

} // namespace corvel::sim
