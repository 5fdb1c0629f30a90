#include "engine/IdentityResolver.h"

#include <algorithm>
#include <unordered_map>

namespace corvel::IdentityResolver {

namespace {

/// Groups values by identity, keeping input order inside each group and
/// remembering the order in which identities first appeared.
template <class T, class IdentityOf> struct ByIdentity {
    std::unordered_map<ItemIdentity, std::vector<T>> groups;
    std::vector<ItemIdentity> firstSeenOrder;

    ByIdentity(const std::vector<T>& values, IdentityOf identityOf) {
        for (const auto& value : values) {
            const auto& identity = identityOf(value);
            auto [it, inserted] = groups.try_emplace(identity);
            if (inserted)
                firstSeenOrder.push_back(identity);
            it->second.push_back(value);
        }
    }
};

void append(std::vector<ObservedItem>& to, const std::vector<OrdinalHintedItem>& hinted) {
    for (const auto& entry : hinted)
        to.push_back(entry.item);
}

void pairByPosition(std::vector<Item> stored, std::vector<OrdinalHintedItem> observed,
                    std::vector<IdentityResolution::Reattachment>& to) {
    std::stable_sort(stored.begin(), stored.end(),
                     [](const Item& a, const Item& b) { return a.ordinal < b.ordinal; });
    std::stable_sort(observed.begin(), observed.end(),
                     [](const OrdinalHintedItem& a, const OrdinalHintedItem& b) {
                         return a.ordinalHint < b.ordinalHint;
                     });
    for (std::size_t k = 0; k < observed.size(); ++k) {
        to.push_back({observed[k].item, stored[k].id});
    }
}

} // namespace

IdentityResolution resolve(const std::vector<Item>& persisted,
                           const std::vector<OrdinalHintedItem>& observed) {
    const ByIdentity stored(persisted,
                            [](const Item& item) -> const ItemIdentity& { return item.identity; });
    const ByIdentity seen(observed, [](const OrdinalHintedItem& entry) -> const ItemIdentity& {
        return entry.item.identity;
    });

    IdentityResolution result;
    for (const auto& identity : seen.firstSeenOrder) {
        const auto& onScreen = seen.groups.at(identity);
        const auto match = stored.groups.find(identity);
        if (match == stored.groups.end()) {
            append(result.newItems, onScreen);
        } else if (match->second.size() == onScreen.size()) {
            pairByPosition(match->second, onScreen, result.reattached);
        } else {
            append(result.unresolved, onScreen);
        }
    }
    return result;
}

} // namespace corvel::IdentityResolver
