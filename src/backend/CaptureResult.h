#pragma once

#include "backend/CaptureUnavailableReason.h"
#include "domain/ItemSnapshot.h"

#include <optional>

namespace corvel {

/// A fresh picture of an item, or why there is none.
class CaptureResult {
  public:
    enum class Kind { captured, unavailable };

    static CaptureResult captured(ItemSnapshot snapshot);
    static CaptureResult unavailable(CaptureUnavailableReason reason);

    Kind kind() const { return kind_; }
    /// Present exactly for captured.
    const std::optional<ItemSnapshot>& snapshot() const { return snapshot_; }
    /// Meaningful only for unavailable.
    CaptureUnavailableReason reason() const { return reason_; }

    friend bool operator==(const CaptureResult& a, const CaptureResult& b);

  private:
    CaptureResult(Kind kind, std::optional<ItemSnapshot> snapshot, CaptureUnavailableReason reason);

    Kind kind_;
    std::optional<ItemSnapshot> snapshot_;
    CaptureUnavailableReason reason_;
};

} // namespace corvel
