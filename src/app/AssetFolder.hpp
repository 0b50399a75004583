#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Finds the folder holding the game's Assets/: first the program's own folder
// (the build tree, an unpacked portable archive), then the installed data folder,
// reached from the program's folder through a relative path, so an installed
// tree still works after being moved to another prefix.
class AssetFolder {
public:
    // The folder that holds the running executable (argv0 is the fallback).
    static std::string programDirectory(const std::string& argv0);
    // The folders that may hold Assets/, in the order they are tried.
    static std::vector<std::filesystem::path> candidates(const std::filesystem::path& programDir,
                                                         const std::string& dataFromProgram);
    // The first candidate that holds an Assets/ folder. Empty when none does;
    // one line naming every folder looked in has then gone to sf::err().
    static std::filesystem::path find(const std::filesystem::path& programDir,
                                      const std::string& dataFromProgram);
    // Finds the folder for the running program, with the installed layout this
    // build was configured for, and makes it the working directory so
    // "Assets/..." paths resolve. False, with the reason on sf::err(), otherwise.
    static bool enterDataFolder(const std::string& argv0);
    // The folder of the translations' catalogs (<lang>/LC_MESSAGES/pellowick.mo), by the same rule:
    // share/locale beside the program (the build tree, the portable archive), else the installed one
    // reached through `localeFromProgram`. The installed one when neither exists: English is then shown.
    static std::string catalogFolder(const std::filesystem::path& programDir,
                                     const std::string& localeFromProgram);
};
