#include "backend/ObservedItem.h"

#include "domain/HashCombine.h"

std::size_t
std::hash<corvel::ObservedItem>::operator()(const corvel::ObservedItem& item) const noexcept {
    std::size_t seed = 0;
    seed = corvel::hashCombine(seed, std::hash<corvel::BackendItemToken>{}(item.id));
    seed = corvel::hashCombine(seed, std::hash<corvel::ItemIdentity>{}(item.identity));
    seed = corvel::hashCombine(seed, std::hash<bool>{}(item.isInHiddenRegion));
    seed = corvel::hashCombine(seed, std::hash<std::optional<corvel::ItemFrame>>{}(item.frame));
    return seed;
}
