#include "ui/StripRowImageSize.h"

namespace corvel {

std::optional<platform::Size> StripRowImageSize::forSnapshot(double width, double snapshotHeight) {
    if (!(snapshotHeight > 0) || width < 0)
        return std::nullopt;
    return platform::Size{height * width / snapshotHeight, height};
}

} // namespace corvel
