// Feeds arbitrary bytes to the store document reader. Besides not crashing,
// whatever it accepts must survive a write and a second read unchanged.
#include "domain/StoreDocument.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto store = corvel::StoreDocument::read(bytes);
    if (!store)
        return 0;
    auto written = corvel::StoreDocument::encode(*store);
    auto reread = corvel::StoreDocument::read(written);
    if (!reread || corvel::StoreDocument::encode(*reread) != written)
        __builtin_trap();
    return 0;
}
