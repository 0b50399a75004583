#pragma once

#include "support/Files.hpp"
#include "support/TestLevel.hpp"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A private copy of the game's runtime Assets/ folder that a test may break, entered as the working
// folder (the game reads "Assets/..." relative to it) and removed again afterwards. Its level is the
// small test level, so map cases do not depend on the real one.
class BrokenAssets {
public:
    BrokenAssets() {
        namespace fs = std::filesystem;
        previous = fs::current_path();
        folder = makeTempFolder("broken");
        fs::copy(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets", folder + "/Assets",
                 fs::copy_options::recursive);
        fs::current_path(folder);
        testlevel::writeImages("Assets/");
        write("map.tmx", testlevel::mapText("Assets/"));
    }
    ~BrokenAssets() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::remove_all(folder, ignored);
    }
    BrokenAssets(const BrokenAssets&) = delete;
    BrokenAssets& operator=(const BrokenAssets&) = delete;

    // Paths are relative to Assets/.
    static void write(const std::string& file, const std::string& text) {
        std::ofstream("Assets/" + file, std::ios::binary | std::ios::trunc) << text;
    }
    static std::string read(const std::string& file) { return readWholeFile("Assets/" + file); }
    static void remove(const std::string& file) { std::filesystem::remove("Assets/" + file); }
    // Replaces the first `from` in a file; returns false when it is not there.
    static bool edit(const std::string& file, const std::string& from, const std::string& to) {
        std::string text = read(file);
        const auto at = text.find(from);
        if (at == std::string::npos) {
            return false;
        }
        write(file, text.replace(at, from.size(), to));
        return true;
    }

    std::string folder;

private:
    std::filesystem::path previous;
};
