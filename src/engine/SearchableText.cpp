#include "engine/SearchableText.h"

#include <memory>
#include <stdexcept>
#include <unicode/coleitr.h>
#include <unicode/tblcoll.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace corvel {

namespace {

/// One root collator and one element iterator per thread: building them
/// costs far more than weighing a name, and neither may be shared between
/// threads.
class RootCollation {
  public:
    RootCollation() {
        UErrorCode status = U_ZERO_ERROR;
        collator_.reset(dynamic_cast<icu::RuleBasedCollator*>(
            icu::Collator::createInstance(icu::Locale::getRoot(), status)));
        if (U_FAILURE(status) || !collator_)
            throw std::runtime_error(std::string("ICU root collation is unavailable: ") +
                                     u_errorName(status));
        // Spaces and punctuation are "variable": shifted, they weigh nothing
        // at the primary level.
        collator_->setAttribute(UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, status);
        variableTop_ = static_cast<std::uint16_t>(collator_->getVariableTop(status) >> 16);
        iterator_.reset(collator_->createCollationElementIterator(icu::UnicodeString()));
    }

    static RootCollation& forThisThread() {
        thread_local RootCollation collation;
        return collation;
    }

    SearchableText weigh(const icu::UnicodeString& text) {
        SearchableText result;
        UErrorCode status = U_ZERO_ERROR;
        iterator_->setText(text, status);
        const auto starts = wordStartOffsets(text);
        std::size_t nextStart = 0;
        for (;;) {
            const std::int32_t offset = iterator_->getOffset();
            const std::int32_t element = iterator_->next(status);
            if (element == icu::CollationElementIterator::NULLORDER || U_FAILURE(status))
                break;
            const auto primary =
                static_cast<std::uint16_t>(icu::CollationElementIterator::primaryOrder(element));
            if (primary == 0 || primary <= variableTop_)
                continue;
            // The first weight at or after a word's first character opens it.
            bool opensWord = false;
            while (nextStart < starts.size() && starts[nextStart] <= offset) {
                opensWord = true;
                ++nextStart;
            }
            if (opensWord)
                result.wordStarts.push_back(static_cast<std::uint32_t>(result.primaries.size()));
            result.primaries.push_back(primary);
        }
        result.sortKey = sortKey(text);
        return result;
    }

  private:
    static bool isWordCharacter(UChar32 c) { return u_isalnum(c) != 0; }

    /// UTF-16 offsets of the characters that begin a word.
    static std::vector<std::int32_t> wordStartOffsets(const icu::UnicodeString& text) {
        std::vector<std::int32_t> starts;
        UChar32 previous = U_SENTINEL;
        for (std::int32_t offset = 0; offset < text.length();) {
            const UChar32 c = text.char32At(offset);
            const bool word = isWordCharacter(c);
            const bool afterBreak = previous == U_SENTINEL || !isWordCharacter(previous);
            const bool camelHump = previous != U_SENTINEL && u_islower(previous) && u_isupper(c);
            if (word && (afterBreak || camelHump))
                starts.push_back(offset);
            previous = c;
            offset = text.moveIndex32(offset, 1);
        }
        return starts;
    }

    std::string sortKey(const icu::UnicodeString& text) const {
        std::string key(64, '\0');
        for (;;) {
            const std::int32_t needed =
                collator_->getSortKey(text, reinterpret_cast<std::uint8_t*>(key.data()),
                                      static_cast<std::int32_t>(key.size()));
            if (needed <= static_cast<std::int32_t>(key.size())) {
                // The key ends in a zero byte that every key shares.
                key.resize(needed > 0 ? static_cast<std::size_t>(needed - 1) : 0);
                return key;
            }
            key.resize(static_cast<std::size_t>(needed));
        }
    }

    std::unique_ptr<icu::RuleBasedCollator> collator_;
    std::unique_ptr<icu::CollationElementIterator> iterator_;
    std::uint16_t variableTop_ = 0;
};

} // namespace

SearchableText SearchableText::of(std::string_view text) {
    const auto unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    return RootCollation::forThisThread().weigh(unicode);
}

} // namespace corvel
