#pragma once

#include "app/Settings.hpp"

#include <cstddef>
#include <string>

// The player's settings file, read and written as TOML. Reading never fails:
// each problem is one line on sf::err() naming the file, the line and what is
// wrong, and the entry falls back to its default. A file with problems is kept
// as "<file>.bad" beside the new one at the first save. Saving writes a new
// file beside the old one and renames it over it, so the old file stays whole
// until the new one is complete.
class SettingsFile {
public:
    // An empty path never reads or writes anything.
    explicit SettingsFile(std::string path);

    // "$XDG_CONFIG_HOME/pellowick/settings.toml", or under "$HOME/.config" when
    // the variable is unset, empty or not an absolute path; empty without either.
    static std::string defaultPath();

    const std::string& path() const { return filePath; }
    // The defaults when the file does not exist (nothing is written).
    Settings load();
    // False, after one line on sf::err(), when the file cannot be written;
    // the old file is then left as it was.
    bool save(const Settings& settings);
    // The two halves of save(): the complete new file beside the old one, then
    // the rename that replaces the old file.
    bool writeNewFile(const Settings& settings);
    bool replaceOldFile();

    static std::string toText(const Settings& settings);

private:
    void report(std::size_t line, const std::string& problem);
    void readText(const std::string& text, Settings& settings);
    std::string newFilePath() const { return filePath + ".tmp"; }

    std::string filePath;
    // The file on disk had problems: keep it as .bad before it is replaced.
    bool keepBadCopy = false;
};
