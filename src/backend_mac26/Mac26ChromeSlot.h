#pragma once

#include "domain/HashCombine.h"
#include "domain/Uuid.h"

#include <cstddef>
#include <functional>

namespace corvel {

/// One place in the block of own status items: an icon by handle, or the
/// hidden-region spacer.
class Mac26ChromeSlot {
  public:
    enum class Kind { icon, spacer };

    static Mac26ChromeSlot icon(Uuid handle) { return Mac26ChromeSlot(Kind::icon, handle); }
    static Mac26ChromeSlot spacer() { return Mac26ChromeSlot(Kind::spacer, Uuid({})); }

    Kind kind() const { return kind_; }
    /// Meaningful only for icon.
    const Uuid& handle() const { return handle_; }

    friend bool operator==(const Mac26ChromeSlot&, const Mac26ChromeSlot&) = default;

  private:
    Mac26ChromeSlot(Kind kind, Uuid handle) : kind_(kind), handle_(handle) {}

    Kind kind_;
    Uuid handle_;
};

} // namespace corvel

template <> struct std::hash<corvel::Mac26ChromeSlot> {
    std::size_t operator()(const corvel::Mac26ChromeSlot& slot) const noexcept {
        return corvel::hashCombine(static_cast<std::size_t>(slot.kind()),
                                   std::hash<corvel::Uuid>{}(slot.handle()));
    }
};
