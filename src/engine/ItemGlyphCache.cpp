#include "engine/ItemGlyphCache.h"

#include "backend/CaptureResult.h"

namespace corvel {

ItemGlyphCache::ItemGlyphCache(std::shared_ptr<MenuBarBackend> backend)
    : backend_(std::move(backend)) {}

async::Task<std::optional<ItemGlyphCache::PNG>> ItemGlyphCache::glyph(ObservedItem item) {
    if (auto known = cached(item.id))
        co_return known;
    // Hidden items are off screen: a capture could only fail, and would cost
    // a round trip to the window server for every row.
    if (item.isInHiddenRegion)
        co_return std::nullopt;
    auto capture = backend_->captureSnapshot(item);
    const auto result = co_await std::move(capture);
    if (!result.snapshot())
        co_return std::nullopt;
    glyphs_.insert_or_assign(item.id, result.snapshot()->pngData);
    co_return result.snapshot()->pngData;
}

std::optional<ItemGlyphCache::PNG> ItemGlyphCache::cached(const BackendItemToken& token) const {
    const auto found = glyphs_.find(token);
    if (found == glyphs_.end())
        return std::nullopt;
    return found->second;
}

} // namespace corvel
