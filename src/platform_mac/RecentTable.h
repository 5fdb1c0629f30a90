#pragma once

#include <cstddef>
#include <list>
#include <map>
#include <optional>
#include <utility>

namespace corvel::mac {

/// A table that keeps at most `capacity` entries, dropping the one used least
/// recently when a new one would exceed it. The ports hand out plain values
/// (an event source, an event, an element) for platform objects they must
/// keep alive, with no call that says a value is done with; this bounds what
/// the binding holds while keeping everything recently used. Dropping an
/// entry destroys its value, which releases whatever it owns. Not
/// thread-safe; its owner guards it.
template <class Key, class Value> class RecentTable {
  public:
    explicit RecentTable(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

    /// Adds or replaces the entry, as the most recently used. Answers the
    /// entry this dropped to make room, if it dropped one.
    std::optional<std::pair<Key, Value>> put(const Key& key, Value value) {
        if (auto found = index_.find(key); found != index_.end()) {
            found->second->second = std::move(value);
            order_.splice(order_.begin(), order_, found->second);
            return std::nullopt;
        }
        order_.emplace_front(key, std::move(value));
        index_.emplace(key, order_.begin());
        if (order_.size() <= capacity_)
            return std::nullopt;
        std::pair<Key, Value> dropped = std::move(order_.back());
        index_.erase(dropped.first);
        order_.pop_back();
        return dropped;
    }

    /// The entry's value, now the most recently used; null when the table
    /// has none (never had it, or dropped it).
    Value* find(const Key& key) {
        auto found = index_.find(key);
        if (found == index_.end())
            return nullptr;
        order_.splice(order_.begin(), order_, found->second);
        return &found->second->second;
    }

    bool erase(const Key& key) {
        auto found = index_.find(key);
        if (found == index_.end())
            return false;
        order_.erase(found->second);
        index_.erase(found);
        return true;
    }

    std::size_t size() const { return order_.size(); }

  private:
    using Order = std::list<std::pair<Key, Value>>;

    std::size_t capacity_;
    Order order_;
    std::map<Key, typename Order::iterator> index_;
};

} // namespace corvel::mac
