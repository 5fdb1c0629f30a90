#include "platform/SystemWallClock.h"

namespace corvel::platform {

std::chrono::system_clock::time_point SystemWallClock::now() const {
    return std::chrono::system_clock::now();
}

} // namespace corvel::platform
