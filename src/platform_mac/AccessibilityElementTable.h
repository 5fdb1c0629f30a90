#pragma once

#include "platform/AccessibilityElement.h"
#include "platform_mac/OwnedReference.h"
#include "platform_mac/RecentTable.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>

namespace corvel::mac {

/// The accessibility elements Corvel has been handed, each behind the plain
/// value the port gives out ({pid, id}; id 0 is left to the application
/// element, which is made afresh at each use). The table holds one retained
/// reference per element and releases it when the entry is dropped: the
/// least recently used goes once `capacity` is exceeded, since the port has
/// no call that says an element is done with. An element met again (equal by
/// `Lifetime::equal`, as each poll reads the same children anew) keeps its
/// id, so the table grows with the elements that exist, not with the reads.
/// A dropped id is never reused; looking it up finds nothing, as a vanished
/// element answers on the platform. Thread-safe.
///
/// `Lifetime` supplies `retain`, `release`, `hash` and `equal` of non-null
/// references.
template <class Ref, class Lifetime> class AccessibilityElementTable {
  public:
    using Owned = OwnedReference<Ref, Lifetime>;

    explicit AccessibilityElementTable(std::size_t capacity) : entries_(capacity) {}

    /// The value that stands for `element` of process `pid`. Retains the
    /// element when the table does not hold it yet.
    platform::AccessibilityElement intern(std::int32_t pid, Ref element) {
        const std::size_t hash = Lifetime::hash(element);
        std::lock_guard lock(mutex_);
        auto [first, last] = byHash_.equal_range(hash);
        for (auto candidate = first; candidate != last; ++candidate) {
            Entry* entry = entries_.find(candidate->second);
            if (entry && entry->pid == pid && Lifetime::equal(entry->ref.get(), element))
                return {pid, candidate->second};
        }
        const std::uint64_t id = nextId_++;
        byHash_.emplace(hash, id);
        if (auto dropped = entries_.put(id, Entry{pid, hash, Owned::retain(element)}))
            forget(dropped->first, dropped->second.hash);
        return {pid, id};
    }

    /// A reference of the caller's own to the element, so that it stays
    /// valid while a call to the platform uses it even if another thread
    /// drops the entry meanwhile; empty when the table does not hold it.
    Owned find(const platform::AccessibilityElement& element) {
        std::lock_guard lock(mutex_);
        Entry* entry = entries_.find(element.id);
        if (!entry || entry->pid != element.pid)
            return Owned();
        return entry->ref;
    }

    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return entries_.size();
    }

  private:
    struct Entry {
        std::int32_t pid = 0;
        std::size_t hash = 0;
        Owned ref;
    };

    void forget(std::uint64_t id, std::size_t hash) {
        auto [first, last] = byHash_.equal_range(hash);
        for (auto slot = first; slot != last; ++slot)
            if (slot->second == id) {
                byHash_.erase(slot);
                return;
            }
    }

    mutable std::mutex mutex_;
    RecentTable<std::uint64_t, Entry> entries_;
    std::multimap<std::size_t, std::uint64_t> byHash_;
    std::uint64_t nextId_ = 1;
};

} // namespace corvel::mac
