#pragma once

#include "map/MapChecker.hpp"
#include "map/MapProblem.hpp"
#include "map/TileMap.hpp"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// A level map read the one way the game reads it, for every caller: the level load, `pellowick --map` and
// pellowick-mapcheck. The file is looked at before it is read (FileCheck, in readTileMapFile), read
// (TmxReader), given what its objects leave to their type (LevelSchema::fillInTypeProperties), then held
// against everything the game relies on (MapChecker). Pictures are looked up under `assetPath` and from
// the working folder, as the game looks them up.
class LevelFile {
public:
    static LevelFile read(const std::string& path, const std::string& assetPath = "Assets/");
    // The same reading and checks, for a thread of its own: the one line of a file that cannot be read goes
    // to `errors`, pictures are decoded by `decode` (see MapChecker), and nothing goes to sf::err().
    static LevelFile read(const std::string& path, const std::string& assetPath, std::ostream& errors,
                          MapChecker::PictureSizer decode);
    // read(); when the game cannot play the map, its problems and then the line
    // "<path>: the game cannot play this map" go to sf::err(). A playable map prints nothing.
    static bool isPlayable(const std::string& path, const std::string& assetPath = "Assets/");
    static void explainUnplayable(const std::string& path);

    // Whether the map was read and none of its problems is an error.
    bool playable() const;

    // Null when the file could not be read; its one line has then gone to sf::err().
    std::unique_ptr<TileMap> map;
    std::vector<MapProblem> problems;
};
