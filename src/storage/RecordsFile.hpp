#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The player's best times, one record per level, in a TOML file. A level is known by its file's name in its
// folder and a hash of its content, so an edited map starts a fresh record. Reading never fails: each
// problem is one line on sf::err() naming the file (and line), and a file with problems is kept as
// "<file>.bad" before the first win replaces it. Every win reads the file again first, so two games
// running at once lose none of each other's records.
class RecordsFile {
public:
    // The largest records file read; far above a record for every level anyone will make.
    static constexpr std::uintmax_t kLargestFile = 1u << 20;

    struct Record {
        double bestSeconds = 0.0;
        int wins = 0;
    };

    // An empty path never reads or writes anything.
    explicit RecordsFile(std::string path);

    // "$XDG_DATA_HOME/pellowick/records.toml", or under "$HOME/.local/share" when the variable is unset,
    // empty or not an absolute path; empty without either.
    static std::string defaultPath();
    // "map.tmx#<hash of the content>", or "" when the map cannot be read.
    static std::string levelKey(const std::string& mapPath);

    const std::string& path() const { return filePath; }
    // The record of the level, or nothing before its first win.
    std::optional<Record> find(const std::string& level);
    // Counts a win in `seconds` and keeps it as the best time when it beats the record (or is the first);
    // true when it does. A file that cannot be written is reported, and the game goes on.
    bool recordWin(const std::string& level, double seconds);

private:
    std::map<std::string, Record> load();
    void report(std::size_t line, const std::string& problem);
    static std::string toText(const std::map<std::string, Record>& records);

    std::string filePath;
    bool keepBadCopy = false;
    bool unusable = false; // a folder, a pipe or such: never written over
};
