#pragma once

#include <string>

// The game reads everything from an Assets/ folder beside its executable,
// whatever the working directory it was started from.
class AssetFolder {
public:
    // The folder that holds the running executable (argv0 is the fallback).
    static std::string programDirectory(const std::string& argv0);
    // Makes the program's folder the working directory so "Assets/..." paths
    // resolve. Writes one line naming the folder looked for and returns false
    // when there is no Assets/ folder there.
    static bool enterFolderBesideProgram(const std::string& argv0);
};
