#pragma once

#include <fstream>
#include <sstream>
#include <string>

// A file's bytes as they are on disk; empty when it cannot be read.
inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
