#include "backend/ItemFrame.h"

#include "domain/HashCombine.h"

std::size_t
std::hash<corvel::ItemFrame>::operator()(const corvel::ItemFrame& frame) const noexcept {
    std::size_t seed = 0;
    seed = corvel::hashCombine(seed, std::hash<double>{}(frame.x));
    seed = corvel::hashCombine(seed, std::hash<double>{}(frame.y));
    seed = corvel::hashCombine(seed, std::hash<double>{}(frame.width));
    seed = corvel::hashCombine(seed, std::hash<double>{}(frame.height));
    return seed;
}
