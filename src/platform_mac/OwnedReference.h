#pragma once

#include <utility>

namespace corvel::mac {

/// One owned reference to a reference-counted platform object, released
/// exactly once when the holder goes. `Lifetime` supplies the counting
/// (`retain` and `release` of a non-null reference); on the Mac that is
/// Core Foundation's, so every object a Create or Copy call hands us is
/// adopted here the moment it arrives and no path, error paths included,
/// can forget to release it. Copies retain; moves hand the reference on.
/// Not thread-safe in itself: one holder belongs to one thread at a time.
template <class Ref, class Lifetime> class OwnedReference {
  public:
    OwnedReference() = default;
    OwnedReference(const OwnedReference& other) : ref_(other.ref_) {
        if (ref_)
            Lifetime::retain(ref_);
    }
    OwnedReference(OwnedReference&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
    OwnedReference& operator=(OwnedReference other) noexcept {
        std::swap(ref_, other.ref_);
        return *this;
    }
    ~OwnedReference() { reset(); }

    /// Takes over a reference the caller already owns (the Create/Copy rule).
    /// Null gives an empty holder.
    static OwnedReference adopt(Ref ref) {
        OwnedReference owned;
        owned.ref_ = ref;
        return owned;
    }
    /// Keeps a reference the caller does not own (the Get rule) by retaining it.
    static OwnedReference retain(Ref ref) {
        if (ref)
            Lifetime::retain(ref);
        return adopt(ref);
    }

    Ref get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }

    /// For a Copy call's out-parameter: releases what is held and answers
    /// the place the call writes its new, owned reference to.
    Ref* receive() {
        reset();
        return &ref_;
    }

    void reset() {
        if (auto ref = std::exchange(ref_, nullptr))
            Lifetime::release(ref);
    }

  private:
    Ref ref_ = nullptr;
};

} // namespace corvel::mac
