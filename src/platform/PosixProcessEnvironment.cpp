#include "platform/PosixProcessEnvironment.h"

#include <cstdlib>
#include <stdexcept>

namespace corvel::platform {

std::optional<std::string> PosixProcessEnvironment::get(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

void PosixProcessEnvironment::set(const std::string& name, const std::string& value) {
    if (::setenv(name.c_str(), value.c_str(), 1) != 0) {
        throw std::runtime_error("cannot set the environment variable " + name);
    }
}

} // namespace corvel::platform
