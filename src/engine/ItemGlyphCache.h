#pragma once

#include "async/Task.h"
#include "backend/BackendItemToken.h"
#include "backend/MenuBarBackend.h"
#include "backend/ObservedItem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace corvel {

/// Live pictures of menu bar items, captured at most once per live item in a
/// run: a token is valid for one run only, so every launch captures afresh.
///
/// Main thread only. glyph() suspends at the backend's capture; its owner
/// keeps the cache alive until the task ends.
class ItemGlyphCache {
  public:
    using PNG = std::vector<std::uint8_t>;

    explicit ItemGlyphCache(std::shared_ptr<MenuBarBackend> backend);

    /// The item's picture as PNG: the one captured earlier this run, else one
    /// captured now while the item is in view; none for a hidden item or a
    /// capture that came back unavailable, which the next call tries again.
    async::Task<std::optional<PNG>> glyph(ObservedItem item);

    /// The picture captured earlier this run, without capturing.
    std::optional<PNG> cached(const BackendItemToken& token) const;

  private:
    std::shared_ptr<MenuBarBackend> backend_;
    std::unordered_map<BackendItemToken, PNG> glyphs_;
};

} // namespace corvel
