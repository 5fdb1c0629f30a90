#pragma once

#include <atomic>

namespace corvel::test {

/// Counts live instances so a test can check that frames and the objects they
/// captured are destroyed exactly once. Copies and moves count as instances.
class LifetimeCounter {
  public:
    struct Counts {
        std::atomic<int> created{0};
        std::atomic<int> destroyed{0};
        int alive() const { return created.load() - destroyed.load(); }
    };

    explicit LifetimeCounter(Counts& counts) : counts_(&counts) { ++counts_->created; }
    LifetimeCounter(const LifetimeCounter& other) : counts_(other.counts_) { ++counts_->created; }
    LifetimeCounter(LifetimeCounter&& other) noexcept : counts_(other.counts_) {
        ++counts_->created;
    }
    LifetimeCounter& operator=(const LifetimeCounter&) = delete;
    ~LifetimeCounter() { ++counts_->destroyed; }

  private:
    Counts* counts_;
};

} // namespace corvel::test
