#include "app/AssetFolder.hpp"

#include "app/BuildInfo.hpp"
#include "i18n/Translator.hpp"

#include <SFML/System/Err.hpp>

namespace fs = std::filesystem;

std::string AssetFolder::programDirectory(const std::string& argv0) {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) {
        program = fs::absolute(argv0, error);
    }
    return program.parent_path().string();
}

std::vector<fs::path> AssetFolder::candidates(const fs::path& programDir,
                                              const std::string& dataFromProgram) {
    std::vector<fs::path> folders{programDir.lexically_normal()};
    const fs::path installed = (programDir / dataFromProgram).lexically_normal();
    if (!dataFromProgram.empty() && installed != folders.front()) {
        folders.push_back(installed);
    }
    return folders;
}

fs::path AssetFolder::find(const fs::path& programDir, const std::string& dataFromProgram) {
    const std::vector<fs::path> folders = candidates(programDir, dataFromProgram);
    std::string lookedIn;
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (fs::is_directory(folder / "Assets", error)) {
            return folder;
        }
        lookedIn += (lookedIn.empty() ? "" : tr(" and ")) + (folder / "Assets").string();
    }
    sf::err() << "Pellowick: " << fill(tr("cannot find the Assets folder; looked for {1}"), {lookedIn})
              << std::endl;
    return {};
}

bool AssetFolder::enterDataFolder(const std::string& argv0) {
    const fs::path folder = find(programDirectory(argv0), buildinfo::kDataFromProgram);
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    fs::current_path(folder, error);
    if (error) {
        sf::err() << "Pellowick: " << fill(tr("cannot enter {1}:"), {folder.string()}) << " "
                  << error.message() << std::endl;
        return false;
    }
    return true;
}

std::string AssetFolder::catalogFolder(const fs::path& programDir, const std::string& localeFromProgram) {
    const fs::path beside = programDir / "share" / "locale";
    std::error_code error;
    if (fs::is_directory(beside, error) || localeFromProgram.empty()) {
        return beside.lexically_normal().string();
    }
    return (programDir / localeFromProgram).lexically_normal().string();
}
