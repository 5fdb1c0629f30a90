#pragma once

#include "platform_mac/OwnedReference.h"

#include <CoreFoundation/CoreFoundation.h>
#include <cstddef>

namespace corvel::mac {

/// Core Foundation's own counting, for OwnedReference and the element table.
struct CoreFoundationLifetime {
    static void retain(const void* ref) { CFRetain(ref); }
    static void release(const void* ref) { CFRelease(ref); }
    static std::size_t hash(const void* ref) { return CFHash(ref); }
    static bool equal(const void* a, const void* b) { return CFEqual(a, b); }
};

/// Holds what a Create or Copy call returns (`CFRef<T>::adopt`) or a Get
/// call lends (`CFRef<T>::retain`); every Core Foundation object the binding
/// keeps past one expression is held this way.
template <class Ref> using CFRef = OwnedReference<Ref, CoreFoundationLifetime>;

} // namespace corvel::mac
