#include "app/TimerArming.h"

#include <algorithm>

namespace corvel::app {

std::chrono::nanoseconds TimerArming::waitFor(async::TimePoint due, async::TimePoint now,
                                              std::chrono::nanoseconds resolution) {
    const auto left = std::max(due - now, std::chrono::nanoseconds(0));
    const auto steps = (left.count() + resolution.count() - 1) / resolution.count();
    return resolution * steps;
}

} // namespace corvel::app
