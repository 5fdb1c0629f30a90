#pragma once

#include "domain/CorvelStore.h"

#include <cstddef>
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace corvel {

/// The store document's codec: pure functions from bytes to a store and back.
class StoreDocument {
  public:
    /// The schema every written document carries and the newest one read.
    static constexpr std::int64_t currentSchemaVersion = 1;
    /// Larger documents are refused before parsing: no real store comes near
    /// this, and a hostile file must not exhaust memory.
    static constexpr std::size_t maxBytes = 64 * 1024 * 1024;
    /// Deeper nesting is refused before parsing; a real store nests four deep.
    static constexpr std::size_t maxDepth = 64;

    /// The store in `bytes`, brought up to the current schema; nothing when
    /// the document is unreadable (not JSON, not an object, a schema newer than
    /// ours or negative, a record that fails to decode, too large, too deep).
    /// Documents without a whole-number "schemaVersion" are schema 0.
    static std::optional<CorvelStore> read(std::string_view bytes);

    /// The whole-number "schemaVersion" of a document that is a JSON object
    /// within the limits above; nothing otherwise. Tells a newer Corvel's
    /// document, which must be kept as it is, from a damaged one.
    static std::optional<std::int64_t> declaredSchema(std::string_view bytes);

    /// Compact JSON in the document layout. Ill-formed UTF-8 in a string,
    /// which JSON cannot carry, is written as U+FFFD.
    static std::string encode(const CorvelStore& store);

  private:
    static bool nestsDeeperThanLimit(std::string_view bytes);
    /// The parsed document, or a discarded value when it is out of limits or
    /// not JSON.
    static nlohmann::json parse(std::string_view bytes);
};

} // namespace corvel
