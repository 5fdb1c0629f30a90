#pragma once

namespace corvel {

/// Whether every hidden Item is temporarily shown.
enum class ShowAllState { inactive, active };

} // namespace corvel
