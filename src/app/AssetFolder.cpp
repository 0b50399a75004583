#include "app/AssetFolder.hpp"

#include <SFML/System/Err.hpp>
#include <filesystem>

namespace fs = std::filesystem;

std::string AssetFolder::programDirectory(const std::string& argv0) {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) {
        program = fs::absolute(argv0, error);
    }
    return program.parent_path().string();
}

bool AssetFolder::enterFolderBesideProgram(const std::string& argv0) {
    const fs::path folder = programDirectory(argv0);
    const fs::path assets = folder / "Assets";
    std::error_code error;
    if (!fs::is_directory(assets, error)) {
        sf::err() << "Pellowick: cannot find the Assets folder; looked for " << assets.string() << std::endl;
        return false;
    }
    fs::current_path(folder, error);
    if (error) {
        sf::err() << "Pellowick: cannot enter " << folder.string() << ": " << error.message() << std::endl;
        return false;
    }
    return true;
}
