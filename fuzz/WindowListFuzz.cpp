// Feeds arbitrary loosely typed window lists to the reader and the observer:
// never a crash, and never an item from an entry that the rules drop.
#include "WindowListFuzzCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto list =
        corvel::fuzz::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (list && !corvel::fuzz::check(*list).empty())
        __builtin_trap();
    return 0;
}
