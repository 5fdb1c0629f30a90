#pragma once

namespace corvel::platform {

/// What the workspace announces about an application.
enum class ApplicationChange {
    launched,
    terminated,
};

} // namespace corvel::platform
