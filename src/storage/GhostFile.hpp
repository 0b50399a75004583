#pragma once

#include "storage/Difficulty.hpp"
#include "storage/GhostRun.hpp"

#include <cstdint>
#include <optional>
#include <string>

// The ghosts of the player's best runs, one file per level and difficulty in a folder of their own, named
// by the level's key in the records. Written as the records are, by an atomic rename; read only from a
// plain file of at most kLargestFile bytes. Anything else at a ghost's name (a folder, a pipe, a link, a
// damaged or foreign file) costs only the ghost: one line on sf::err() naming the file, and the level
// plays without one.
class GhostFile {
public:
    // Half an hour of samples written out, with room to spare.
    static constexpr std::uintmax_t kLargestFile = 2u << 20;

    // An empty folder never reads or writes anything.
    explicit GhostFile(std::string folder);

    // "$XDG_DATA_HOME/pellowick/ghosts", or under "$HOME/.local/share"; empty without either.
    static std::string defaultFolder();
    // "<folder>/<level key>.<difficulty>.ghost", the key cut short in the middle when a file name could
    // not hold it; "" without a folder or a key.
    std::string pathFor(const std::string& levelKey, Difficulty difficulty) const;

    // The level's ghost at the difficulty, or nothing: none yet, or one that cannot be used.
    std::optional<GhostRun> load(const std::string& levelKey, Difficulty difficulty) const;
    // Replaces the ghost with `run`; false, after one line on sf::err(), when it could not be kept.
    bool save(const std::string& levelKey, Difficulty difficulty, const GhostRun& run) const;

private:
    std::string folder;
};
