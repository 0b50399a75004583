#include "storage/UserFolders.hpp"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
std::string underBase(const char* variable, const fs::path& underHome, const std::string& name) {
    const char* value = std::getenv(variable);
    const char* home = std::getenv("HOME");
    fs::path base;
    // A relative value is to be ignored, as the XDG rules say.
    if (value && *value && fs::path(value).is_absolute()) {
        base = value;
    } else if (home && *home) {
        base = fs::path(home) / underHome;
    } else {
        return {};
    }
    return (base / "pellowick" / name).string();
}
} // namespace

std::string UserFolders::config(const std::string& name) {
    return underBase("XDG_CONFIG_HOME", ".config", name);
}

std::string UserFolders::data(const std::string& name) {
    return underBase("XDG_DATA_HOME", fs::path(".local") / "share", name);
}
