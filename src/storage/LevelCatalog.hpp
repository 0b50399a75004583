#pragma once

#include "storage/RecordsFile.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The levels a player can choose from: the shipped ones in their order, then every ".tmx" file in the
// player's levels folder, sorted by file name. Opening the catalogue only lists the files; a level is read
// and checked the first time its details are asked for, and a check is remembered for the rest of the run
// until the file's modification time or size changes, so a folder of hundreds of maps opens at once.
class LevelCatalog {
public:
    struct Details {
        std::string name;    // the map's "name" property, else its file name
        std::string problem; // the first thing that keeps the game from playing it, on one line; "" if none
        RecordsFile::LevelRecords records; // by difficulty; none before the first win
        bool playable() const { return problem.empty(); }
    };

    // The levels that come with the game, the first one first.
    static const std::vector<std::string>& shippedLevels();
    // "$XDG_DATA_HOME/pellowick/levels", or under "$HOME/.local/share" when the variable is unset, empty or
    // not an absolute path; empty without either.
    static std::string defaultPlayerFolder();

    // A folder that is missing or unreadable simply adds no levels. An empty `recordsPath` shows no records.
    LevelCatalog(const std::string& playerFolder, std::string recordsPath);

    std::size_t size() const { return paths.size(); }
    // The file the game opens for entry `index` (< size()).
    const std::string& path(std::size_t index) const { return paths.at(index); }
    // Whether entry `index` came with the game rather than from the player's folder.
    bool shipped(std::size_t index) const { return index < shippedLevels().size(); }
    // Reads and checks the level on the first call for it; nothing goes to sf::err().
    const Details& details(std::size_t index);

private:
    std::vector<std::string> paths;
    std::vector<std::optional<Details>> looked;
    std::string recordsPath;
};
