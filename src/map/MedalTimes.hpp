#pragma once

#include "map/TileMap.hpp"

#include <optional>
#include <string>

// A level's three target times, from its map's goldTime, silverTime and bronzeTime: a win whose time, as
// the clock shows it (in tenths), is at most a limit earns that medal. Levels without them have no medals.
class MedalTimes {
public:
    // Better medals compare greater.
    enum class Medal { None, Bronze, Silver, Gold };

    double gold = 0.0;
    double silver = 0.0;
    double bronze = 0.0;

    // The map's times, read as the map checker reads them, or nothing when it gives none, only some, or
    // times that break the rules below: the checker refuses all of those maps, naming the line.
    static std::optional<MedalTimes> of(const TileMap& map);
    // Gold at least a second, each time at least the clock's tenth longer than the one before, bronze
    // within a day.
    bool valid() const;

    Medal medalFor(double seconds) const;
    // The medal above the one a run of `seconds` earns, and the time it needs; nothing after a gold.
    std::optional<Medal> nextMedal(double seconds) const;
    double limitOf(Medal medal) const;

    // "Gold", "Silver", "Bronze", "No"; with " medal" after them on screens.
    static std::string titleOf(Medal medal);
    // "Gold medal", or "" for no medal (the list leaves it out).
    static std::string medalText(Medal medal);
};
