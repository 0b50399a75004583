#pragma once

#include <fstream>
#include <sstream>
#include <string>

// A file's bytes as they are on disk; empty when it cannot be read.
inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
