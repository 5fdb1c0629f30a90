#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace corvel::test {

/// Every byte of the file at `path`; empty when it cannot be read.
inline std::string fileContents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

} // namespace corvel::test
