#pragma once

#include "storage/Difficulty.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

// The player's best times, one record per level and difficulty, in a TOML file. A level is known by its
// levelId, or without one by its file's name in its folder and a hash of its content, so an edited map
// without an id starts a fresh record. Reading never
// fails and goes entry by entry: each problem is one line on sf::err() naming the file (and line) and costs
// only the entries it touches; a file with problems is kept before the first win replaces it, as
// "<file>.bad", or "<file>.bad.1", "<file>.bad.2"... when older copies are there, and that line names it. A
// file is never written larger than the game reads. A win is saved under a lock beside the file, after
// reading the file again, so two games running at once lose none of each other's wins. A file from before the
// difficulties holds Normal records. A win at a slower game speed is counted and kept as the best time
// only until a full-speed win comes; its speed is written beside it ("assisted = 70"), and a file without
// that mark holds full-speed times.
class RecordsFile {
public:
    using Difficulty = ::Difficulty;

    // The largest records file read or written; far above a record for every level anyone will make.
    static constexpr std::uintmax_t kLargestFile = 4u << 20;
    // No run lasts longer: a best time above it is a damaged entry, and a longer run is not recorded.
    static constexpr double kLongestRun = 24.0 * 60.0 * 60.0;
    // The game as it is; the slowest game speed a record may have been won at.
    static constexpr int kFullSpeed = 100;
    static constexpr int kSlowestSpeed = 50;

    // What the player has done in one level at one difficulty.
    struct Record {
        double bestSeconds = 0.0;
        int wins = 0;
        // The game speed, in percent, the best time was made at; below kFullSpeed the win was assisted.
        int speed = kFullSpeed;
        bool assisted() const { return speed < kFullSpeed; }
    };
    // A level's records by difficulty; a difficulty not yet won has none.
    using LevelRecords = std::map<Difficulty, Record>;
    // What became of a win: whether it beat the record (or was the first), and whether it is in the file.
    // A win that could not be kept is never a best.
    struct Outcome {
        bool best = false;
        bool kept = false;
    };

    // An empty path never reads or writes anything.
    explicit RecordsFile(std::string path);

    // "$XDG_DATA_HOME/pellowick/records.toml", or under "$HOME/.local/share" when the variable is unset,
    // empty or not an absolute path; empty without either.
    static std::string defaultPath();
    // The map's levelId when it has one (see LevelSchema::levelIdAllowed): it stays when the map is edited.
    // Otherwise "map.tmx#<hash of the content>", or "" when the map cannot be read. Bytes of the file name
    // that are not printable UTF-8 (and a '%' that would read as such a byte) are written "%XX", so every
    // name the list accepts gives a key of its own that the file keeps as it is; a file key holds a '#',
    // which no levelId does.
    static std::string levelKey(const std::string& mapPath);

    const std::string& path() const { return filePath; }
    // The record of the level at one difficulty, or nothing before its first win there.
    std::optional<Record> find(const std::string& level, Difficulty difficulty);
    // Every record of the level.
    LevelRecords findAll(const std::string& level);
    // Every level won at least once, at any difficulty.
    std::set<std::string> levelsWon();
    // Counts a win in `seconds` at `difficulty`, keeping it as the best time when it beats that
    // difficulty's record (or is the first). A win at a `speed` below kFullSpeed beats only an assisted
    // best, and any full-speed win beats that. A file that cannot be written, one that would grow past
    // kLargestFile, or a run longer than kLongestRun, is reported and not kept; the game goes on.
    Outcome recordWin(const std::string& level, Difficulty difficulty, double seconds,
                      int speed = kFullSpeed);

    // Gives each level of `earlierKeys` (a level's key, with each key it was known by before) the records of
    // its earlier keys at every difficulty it has no record of yet: their best time and the sum of their
    // wins. The earlier entries stay as they are. Written, under the lock, only when there is something to
    // carry; false when that could not be kept (the terminal says why).
    bool carryOver(const std::multimap<std::string, std::string>& earlierKeys);

private:
    using Records = std::map<std::string, LevelRecords>;

    Records load();
    void readText(const std::string& text, Records& records);
    void report(std::size_t line, const std::string& problem);
    static std::string toText(const Records& records);
    // `lost` says what is not kept when it fails.
    bool save(const Records& records, const std::string& lost);

    std::string filePath;
    bool keepBadCopy = false;
    bool unusable = false; // a folder, a pipe or such: never written over
};
