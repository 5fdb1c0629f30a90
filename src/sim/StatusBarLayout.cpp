#include "sim/StatusBarLayout.h"

namespace corvel::sim {

std::vector<platform::Rect> StatusBarLayout::frames(const std::vector<double>& widths,
                                                    double screenWidth, double rightInset,
                                                    double barHeight) {
    std::vector<platform::Rect> result(widths.size());
    double right = screenWidth - rightInset;
    for (std::size_t i = widths.size(); i-- > 0;) {
        right -= widths[i];
        result[i] = platform::Rect{{right, 0}, {widths[i], barHeight}};
    }
    return result;
}

} // namespace corvel::sim
