#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

// A new empty folder of this test's own, "/tmp/pellowick-<kind>-XXXXXX"; empty when none can be made.
inline std::string makeTempFolder(const std::string& kind = "e2e") {
    std::string pattern = "/tmp/pellowick-" + kind + "-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    return made ? made : "";
}

// A file's bytes as they are on disk; empty when it cannot be read.
inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
