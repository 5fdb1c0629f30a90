#pragma once

#include "backend/CaptureUnavailableReason.h"

namespace corvel {

/// Whether a picture of an item may be taken now, and if not, why. Pure.
class Mac26CapturePrecheck {
  public:
    class Decision {
      public:
        enum class Kind { unavailable, proceed };

        static Decision unavailable(CaptureUnavailableReason reason) {
            return Decision(Kind::unavailable, reason);
        }
        static Decision proceed() {
            return Decision(Kind::proceed, CaptureUnavailableReason::notCurrentlyOnScreen);
        }

        Kind kind() const { return kind_; }
        /// Meaningful only for unavailable.
        CaptureUnavailableReason reason() const { return reason_; }

        friend bool operator==(const Decision& a, const Decision& b) {
            return a.kind_ == b.kind_ && (a.kind_ == Kind::proceed || a.reason_ == b.reason_);
        }

      private:
        Decision(Kind kind, CaptureUnavailableReason reason) : kind_(kind), reason_(reason) {}

        Kind kind_;
        CaptureUnavailableReason reason_;
    };

    /// Being on screen is checked before the permission: an item in the
    /// hidden region is not on screen whatever the permission says.
    static Decision decide(bool itemCurrentlyObserved, bool isInHiddenRegion,
                           bool screenRecordingGranted);
};

} // namespace corvel
