#pragma once

#include "backend/MenuBarChangeEvent.h"

#include <ostream>

namespace corvel {

/// Readable events in test failures.
inline void PrintTo(const ObservedItem& item, std::ostream* out) {
    *out << item.id.opaque().text().substr(28) << " " << item.identity.bundleID << " \""
         << item.identity.title << "\"" << (item.isInHiddenRegion ? " hidden" : "");
    if (item.frame)
        *out << " at " << item.frame->x << "," << item.frame->y << " " << item.frame->width << "x"
             << item.frame->height;
}

inline void PrintTo(const MenuBarChangeEvent& event, std::ostream* out) {
    using Kind = MenuBarChangeEvent::Kind;
    switch (event.kind()) {
    case Kind::itemAppeared:
        *out << "itemAppeared(";
        PrintTo(event.item(), out);
        break;
    case Kind::itemChanged:
        *out << "itemChanged(";
        PrintTo(event.item(), out);
        break;
    case Kind::itemDisappeared:
        *out << "itemDisappeared(" << event.token().opaque().text().substr(28);
        break;
    case Kind::menuBarGeometryUnsettled:
        *out << "menuBarGeometryUnsettled(" << event.isUnsettled();
        break;
    case Kind::ownChromeClicked:
        *out << "ownChromeClicked(" << event.handle().text();
        break;
    }
    *out << ")";
}

} // namespace corvel
