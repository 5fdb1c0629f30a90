#include "backend/OwnChromeIcon.h"

#include "domain/HashCombine.h"

std::size_t
std::hash<corvel::OwnChromeIcon>::operator()(const corvel::OwnChromeIcon& icon) const noexcept {
    std::size_t seed = 0;
    seed = corvel::hashCombine(seed, std::hash<corvel::Uuid>{}(icon.handle));
    seed = corvel::hashCombine(seed, std::hash<std::optional<std::string>>{}(icon.symbolName));
    seed = corvel::hashCombine(seed, std::hash<std::int64_t>{}(icon.order));
    return seed;
}
