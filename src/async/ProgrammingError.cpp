#include "async/ProgrammingError.h"

#include <cstdio>
#include <cstdlib>

namespace corvel::async {

void programmingError(std::string_view message) {
    std::fprintf(stderr, "Corvel: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}

} // namespace corvel::async
