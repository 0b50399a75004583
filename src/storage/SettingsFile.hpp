#pragma once

#include "storage/Settings.hpp"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// The player's settings file, read and written as TOML. Reading never fails:
// each problem is one line on sf::err() naming the file, the line and what is
// wrong, and the entry falls back to its default. A folder, a pipe or a file
// larger than a settings file can be is refused before it is opened, as a
// whole. A file with problems is kept as "<file>.bad" beside the new one at
// the first save. Saving writes a new file beside the old one and renames it
// over it, so the old file stays whole until the new one is complete; when the
// file is a link, the file it leads to is replaced and the link stays.
class SettingsFile {
public:
    // An empty path (nowhere to keep settings) reads nothing and saves nothing.
    explicit SettingsFile(std::string path);

    // "$XDG_CONFIG_HOME/pellowick/settings.toml", or under "$HOME/.config" when
    // the variable is unset, empty or not an absolute path; empty without either.
    static std::string defaultPath();

    const std::string& path() const { return filePath; }
    // The defaults when the file does not exist (nothing is written).
    Settings load();
    // Writes the entries that differ from what load() or the last save saw
    // into the file as it is now, so what another running game saved
    // meanwhile stays; every entry when nothing was loaded. False, after one
    // line on sf::err(), when the file cannot be written: the old file is
    // then left as it was. Having nowhere to save is said once only.
    bool save(const Settings& settings);
    // The two halves of save(): the complete new file beside the old one, then
    // the rename that replaces the old file.
    bool writeNewFile(const Settings& settings);
    bool replaceOldFile();

    static std::string toText(const Settings& settings);

private:
    using Report = std::function<void(std::size_t line, const std::string& problem)>;

    void report(std::size_t line, const std::string& problem);
    // The settings in `file`, or the defaults; each problem goes to `reportHere`.
    Settings read(const std::string& file, const Report& reportHere) const;
    Settings withThisRunsChanges(const Settings& onDisk, const Settings& settings) const;
    bool makeFolder();
    void cannotSave(const std::string& problem, bool onceOnly);

    std::string filePath;
    // The file a save replaces: filePath, or the file its links lead to.
    std::string savedFile;
    // The complete new file writeNewFile() left for replaceOldFile(); empty when there is none.
    std::string newFile;
    // The file on disk had problems: keep it as .bad before it is replaced.
    bool keepBadCopy = false;
    // What this run last read or wrote; the entries that differ from it are its changes.
    std::optional<Settings> known;
    Settings beingSaved;
    bool toldNowhereToSave = false;
};
