#include "backend/MenuBarChangeEvent.h"

#include "domain/HashCombine.h"

#include <utility>

namespace corvel {

MenuBarChangeEvent MenuBarChangeEvent::itemAppeared(ObservedItem item) {
    return MenuBarChangeEvent(Kind::itemAppeared, std::move(item));
}
MenuBarChangeEvent MenuBarChangeEvent::itemChanged(ObservedItem item) {
    return MenuBarChangeEvent(Kind::itemChanged, std::move(item));
}
MenuBarChangeEvent MenuBarChangeEvent::itemDisappeared(BackendItemToken token) {
    return MenuBarChangeEvent(Kind::itemDisappeared, token);
}
MenuBarChangeEvent MenuBarChangeEvent::menuBarGeometryUnsettled(bool unsettled) {
    return MenuBarChangeEvent(Kind::menuBarGeometryUnsettled, unsettled);
}
MenuBarChangeEvent MenuBarChangeEvent::ownChromeClicked(Uuid handle, ItemFrame screenFrame) {
    return MenuBarChangeEvent(Kind::ownChromeClicked, ChromeClick{handle, screenFrame});
}

const ObservedItem& MenuBarChangeEvent::item() const {
    return std::get<ObservedItem>(payload_);
}
const BackendItemToken& MenuBarChangeEvent::token() const {
    return std::get<BackendItemToken>(payload_);
}
bool MenuBarChangeEvent::isUnsettled() const {
    return std::get<bool>(payload_);
}
const Uuid& MenuBarChangeEvent::handle() const {
    return std::get<ChromeClick>(payload_).handle;
}
const ItemFrame& MenuBarChangeEvent::screenFrame() const {
    return std::get<ChromeClick>(payload_).screenFrame;
}

} // namespace corvel

std::size_t std::hash<corvel::MenuBarChangeEvent>::operator()(
    const corvel::MenuBarChangeEvent& event) const noexcept {
    using corvel::MenuBarChangeEvent;
    std::size_t seed = static_cast<std::size_t>(event.kind());
    switch (event.kind()) {
    case MenuBarChangeEvent::Kind::itemAppeared:
    case MenuBarChangeEvent::Kind::itemChanged:
        seed = corvel::hashCombine(seed, std::hash<corvel::ObservedItem>{}(event.item()));
        break;
    case MenuBarChangeEvent::Kind::itemDisappeared:
        seed = corvel::hashCombine(seed, std::hash<corvel::BackendItemToken>{}(event.token()));
        break;
    case MenuBarChangeEvent::Kind::menuBarGeometryUnsettled:
        seed = corvel::hashCombine(seed, std::hash<bool>{}(event.isUnsettled()));
        break;
    case MenuBarChangeEvent::Kind::ownChromeClicked:
        seed = corvel::hashCombine(seed, std::hash<corvel::Uuid>{}(event.handle()));
        seed = corvel::hashCombine(seed, std::hash<corvel::ItemFrame>{}(event.screenFrame()));
        break;
    }
    return seed;
}
