#pragma once

namespace corvel {

/// Whether the item search panel is shown. It never stands beside a Strip:
/// opening either takes the other down.
enum class SearchState { closed, open };

} // namespace corvel
