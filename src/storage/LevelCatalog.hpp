#pragma once

#include "map/MedalTimes.hpp"
#include "storage/RecordsFile.hpp"

#include <chrono>
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The levels a player can choose from: the shipped ones in their order, then every ".tmx" file in the
// player's levels folder, in the order people sort names ("q1, q2, q10": digits by their value, capitals
// and small letters alike).
//
// Opening the catalogue only lists the files. A level is read and checked on a thread of the game's own
// the first time its details are asked for, and the check is remembered for the rest of the run until
// the file's size or modification time changes; links to one file are checked once. So the list opens at
// once and stays responsive whatever the folder holds: a huge map is "being checked" for a while, nothing
// more. The checks never write to sf::err(); the pictures a map names are decoded by the thread that owns
// the catalogue, in serve() (SFML reports a broken picture on sf::err(), which is not for two threads).
class LevelCatalog {
public:
    struct Details {
        std::string name;    // the map's "name" property, else its file name
        std::string problem; // the first thing that keeps the game from playing it, on one line; "" if none
        RecordsFile::LevelRecords records;    // by difficulty; none before the first win
        std::optional<MedalTimes> medalTimes; // when the map gives them
        bool playable() const { return problem.empty(); }
    };

    // What became of an entry's file since its check.
    enum class FileNow { AsChecked, Changed, Gone };

    // The levels that come with the game, in the order they open, the first one first.
    static const std::vector<std::string>& shippedLevels();
    // The practice yard's lessons, in the order they teach; they come with the game too.
    static const std::vector<std::string>& lessons();
    static bool isLesson(const std::string& path);
    // The lesson after the lesson `path`, the first level after the last lesson, "" after any other level.
    static std::string lessonAfter(const std::string& path);
    // The levelId of each shipped level's map, in the same order: the key of its records.
    static const std::vector<std::string>& shippedLevelIds();
    // "$XDG_DATA_HOME/pellowick/levels", or under "$HOME/.local/share" when the variable is unset, empty or
    // not an absolute path; empty without either.
    static std::string defaultPlayerFolder();
    // Whether `a` comes before `b` in the order people sort names: case-insensitively, with each run of
    // digits taken as a number ("q2" before "q10"). Names equal that way keep a fixed order.
    static bool naturalLess(const std::string& a, const std::string& b);

    // A folder that is missing or unreadable simply adds no levels. An empty `recordsPath` shows no records.
    LevelCatalog(const std::string& playerFolder, std::string recordsPath);
    // Exactly the levels `shipped`, in their order, all counted as shipped (the practice yard's list).
    LevelCatalog(std::vector<std::string> shipped, std::string recordsPath);
    // Checks asked for by this catalogue alone and not yet started are dropped.
    ~LevelCatalog();
    LevelCatalog(const LevelCatalog&) = delete;
    LevelCatalog& operator=(const LevelCatalog&) = delete;

    std::size_t size() const { return paths.size(); }
    // The file the game opens for entry `index` (< size()).
    const std::string& path(std::size_t index) const { return paths.at(index); }
    // Its name in its folder, as the list shows it beside a level's own name.
    std::string fileName(std::size_t index) const;
    // Whether entry `index` came with the game rather than from the player's folder.
    bool shipped(std::size_t index) const { return index < shippedCount; }
    // Whether entry `index` is open without the option that opens every level: the player's own levels, the
    // lessons and the first shipped level always, each other shipped level once the one before it has been
    // won at any difficulty (as the records were when the catalogue was opened).
    bool opened(std::size_t index) const;

    // The details when the level has been checked; otherwise nothing, and the check is asked for.
    // Never waits.
    const Details* lookUp(std::size_t index);
    // Asks for the checks of `count` entries from `first` (the page shown) before all those asked for
    // until now, the smallest files first.
    void prefer(std::size_t first, std::size_t count);
    // The details, waiting for the check (for tools, tests and benchmarks; the list uses lookUp()).
    const Details& details(std::size_t index);
    // Waits at most `longest` for the checks of `count` entries from `first`, decoding their pictures;
    // true when they are all done.
    bool waitFor(std::size_t first, std::size_t count, std::chrono::milliseconds longest);
    // Decodes the pictures the checks are waiting for. Call it often (each frame) while waiting for checks.
    void serve();

    // Looks at the entry's file again. When it changed, its details are forgotten and it is checked
    // afresh on the next lookUp().
    FileNow fileNow(std::size_t index);

private:
    std::vector<std::string> paths;
    std::size_t shippedCount = 0;
    // The shipped levels open one by one; a list of lessons is open throughout.
    bool opensInOrder = false;
    std::vector<std::optional<Details>> looked;
    std::string recordsPath;
    std::set<std::string> levelsWon;
};
