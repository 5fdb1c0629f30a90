#include "settings/Subscription.h"

#include <utility>

namespace corvel {

Subscription::Subscription(Subscription&& other) noexcept
    : cancel_(std::exchange(other.cancel_, {})) {}

Subscription& Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        cancel();
        cancel_ = std::exchange(other.cancel_, {});
    }
    return *this;
}

Subscription::~Subscription() {
    cancel();
}

void Subscription::cancel() {
    if (auto cancel = std::exchange(cancel_, {}))
        cancel();
}

} // namespace corvel
