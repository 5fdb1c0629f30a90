#pragma once

#include "backend/BackendItemToken.h"
#include "backend/ItemFrame.h"
#include "backend/ObservedItem.h"
#include "domain/Uuid.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <variant>

namespace corvel {

/// One change of the menu bar reported on the backend's change stream.
/// Equal when case and payload are equal.
class MenuBarChangeEvent {
  public:
    enum class Kind {
        /// An item that the previous look did not have.
        itemAppeared,
        /// A known item whose record differs in any field.
        itemChanged,
        itemDisappeared,
        /// True when the geometry became unusable for moves, false once it has
        /// settled again; never reported twice in a row with the same value.
        menuBarGeometryUnsettled,
        /// The person clicked an own icon; the frame is all zeros when the
        /// backend did not find the icon.
        ownChromeClicked,
    };

    static MenuBarChangeEvent itemAppeared(ObservedItem item);
    static MenuBarChangeEvent itemChanged(ObservedItem item);
    static MenuBarChangeEvent itemDisappeared(BackendItemToken token);
    static MenuBarChangeEvent menuBarGeometryUnsettled(bool unsettled);
    static MenuBarChangeEvent ownChromeClicked(Uuid handle, ItemFrame screenFrame);

    Kind kind() const { return kind_; }
    /// The payloads; each may be read only for its own cases (itemAppeared and
    /// itemChanged carry an item) and throws std::bad_variant_access otherwise.
    const ObservedItem& item() const;
    const BackendItemToken& token() const;
    bool isUnsettled() const;
    const Uuid& handle() const;
    const ItemFrame& screenFrame() const;

    friend bool operator==(const MenuBarChangeEvent&, const MenuBarChangeEvent&) = default;

  private:
    struct ChromeClick {
        Uuid handle;
        ItemFrame screenFrame;
        friend bool operator==(const ChromeClick&, const ChromeClick&) = default;
    };
    using Payload = std::variant<ObservedItem, BackendItemToken, bool, ChromeClick>;

    MenuBarChangeEvent(Kind kind, Payload payload) : kind_(kind), payload_(std::move(payload)) {}

    Kind kind_;
    Payload payload_;
};

} // namespace corvel

template <> struct std::hash<corvel::MenuBarChangeEvent> {
    std::size_t operator()(const corvel::MenuBarChangeEvent& event) const noexcept;
};
