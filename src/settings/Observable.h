#pragma once

#include "settings/Subscription.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace corvel {

/// A published value and the observers that want to hear of its changes; the
/// way the settings models reach whatever screens show them.
///
/// Main thread only. Every set() notifies, even with an equal value, so a
/// screen never misses a change through a comparison it did not expect.
/// Observers run in the order they subscribed and are not called on
/// subscription: read value() then.
///
/// Re-entrant changes: a set() made while observers are being notified stores
/// the value at once and is delivered in a further round after the current
/// one, so every observer sees the rounds in order and the latest value last
/// (several changes made during one round arrive as one round). An observer
/// subscribed during a round is first called in the next one; one whose
/// Subscription is cancelled (or destroyed) during a round is not called
/// again, not even later in that round. An observer may destroy the
/// Observable itself; the round under way still finishes.
template <class T> class Observable {
  public:
    using Observer = std::function<void(const T&)>;

    explicit Observable(T initial = T{}) : state_(std::make_shared<State>(std::move(initial))) {}
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;

    const T& value() const { return state_->value; }

    /// Stores `newValue` and notifies (see above).
    void set(T newValue) {
        state_->value = std::move(newValue);
        if (state_->notifying) {
            state_->changedDuringRound = true;
            return;
        }
        notify(state_);
    }

    /// Registers `observer` for as long as the answered Subscription is kept.
    [[nodiscard]] Subscription observe(Observer observer) const {
        auto slot = std::make_shared<Slot>(Slot{std::move(observer), true});
        state_->slots.push_back(slot);
        std::weak_ptr<State> weakState = state_;
        std::weak_ptr<Slot> weakSlot = slot;
        return Subscription([weakState, weakSlot] {
            auto slot = weakSlot.lock();
            if (!slot)
                return;
            slot->active = false;
            if (auto state = weakState.lock())
                std::erase(state->slots, slot);
        });
    }

    std::size_t observerCount() const { return state_->slots.size(); }

  private:
    struct Slot {
        Observer observer;
        bool active;
    };
    struct State {
        explicit State(T initial) : value(std::move(initial)) {}
        T value;
        std::vector<std::shared_ptr<Slot>> slots;
        bool notifying = false;
        bool changedDuringRound = false;
    };

    struct RoundGuard {
        State& state;
        ~RoundGuard() { state.notifying = false; }
    };

    // Takes the state by value: an observer may destroy this Observable.
    static void notify(std::shared_ptr<State> state) {
        state->notifying = true;
        RoundGuard guard{*state};
        do {
            state->changedDuringRound = false;
            // Copies, so that changes and subscriptions made by observers
            // leave this round's value and its list of observers alone.
            const T delivered = state->value;
            const auto slots = state->slots;
            for (const auto& slot : slots) {
                if (slot->active)
                    slot->observer(delivered);
            }
        } while (state->changedDuringRound);
    }

    std::shared_ptr<State> state_;
};

} // namespace corvel
