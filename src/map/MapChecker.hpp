#pragma once

#include "map/MapProblem.hpp"
#include "map/TileMap.hpp"

#include <ostream>
#include <string>
#include <vector>

// Checks a read map against everything the game relies on when it builds and plays the level: the named
// objects and their types, the positional properties and their numbers, the render layers, the tileset and
// object images, and the zones. Errors make the level unplayable (the game would fail or misbehave);
// warnings point at what a level designer most likely did not mean.
//
// Images are looked up as the game looks them up, relative to the working folder: tileset images under
// assetPath, object textures exactly as their texture-path property says ("Assets/player.png"). A picture
// that is not a regular file, or is larger than FileCheck::largestTextureSide() a side, is an error.
class MapChecker {
public:
    explicit MapChecker(std::string assetPath = "Assets/");

    std::vector<MapProblem> check(const TileMap& map) const;

    // Writes one line per problem (MapProblem::format) to `out`; true when none of them is an error.
    static bool report(const std::vector<MapProblem>& problems, const std::string& mapPath,
                       std::ostream& out);
    static bool hasErrors(const std::vector<MapProblem>& problems);

private:
    std::string assetPath;
};
