#include "backend/CaptureResult.h"

#include <utility>

namespace corvel {

CaptureResult::CaptureResult(Kind kind, std::optional<ItemSnapshot> snapshot,
                             CaptureUnavailableReason reason)
    : kind_(kind), snapshot_(std::move(snapshot)), reason_(reason) {}

CaptureResult CaptureResult::captured(ItemSnapshot snapshot) {
    return CaptureResult(Kind::captured, std::move(snapshot),
                         CaptureUnavailableReason::notCurrentlyOnScreen);
}

CaptureResult CaptureResult::unavailable(CaptureUnavailableReason reason) {
    return CaptureResult(Kind::unavailable, std::nullopt, reason);
}

bool operator==(const CaptureResult& a, const CaptureResult& b) {
    if (a.kind_ != b.kind_)
        return false;
    if (a.kind_ == CaptureResult::Kind::unavailable)
        return a.reason_ == b.reason_;
    return a.snapshot_->capturedAt == b.snapshot_->capturedAt &&
           a.snapshot_->pngData == b.snapshot_->pngData;
}

} // namespace corvel
