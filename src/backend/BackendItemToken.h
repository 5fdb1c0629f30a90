#pragma once

#include "domain/Uuid.h"

#include <cstddef>
#include <functional>

namespace corvel {

/// Names one live menu bar item for as long as the backend sees it. Callers
/// compare, hash and key maps by it and derive nothing from the value. Never
/// persisted: after a restart the same item may get another token.
class BackendItemToken {
  public:
    explicit BackendItemToken(Uuid opaque) : opaque_(opaque) {}

    const Uuid& opaque() const { return opaque_; }

    friend bool operator==(const BackendItemToken&, const BackendItemToken&) = default;

  private:
    Uuid opaque_;
};

} // namespace corvel

template <> struct std::hash<corvel::BackendItemToken> {
    std::size_t operator()(const corvel::BackendItemToken& token) const noexcept {
        return std::hash<corvel::Uuid>{}(token.opaque());
    }
};
