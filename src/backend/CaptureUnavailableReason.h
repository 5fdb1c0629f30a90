#pragma once

namespace corvel {

/// Why the backend has no picture of an item.
enum class CaptureUnavailableReason {
    /// The item is not visible now: it sits in the hidden region or was not found.
    notCurrentlyOnScreen,
    screenRecordingNotGranted,
    systemCaptureFailure,
};

} // namespace corvel
