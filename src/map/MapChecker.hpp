#pragma once

#include "map/MapProblem.hpp"
#include "map/TileMap.hpp"

#include <SFML/System/Vector2.hpp>
#include <functional>
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
//
// Objects the game needs to finish a level (the player, the formula, the entrances, exits and goals, and
// the camera) must lie inside the map.
class MapChecker {
public:
    // The size of a picture whose file passed FileCheck, decoded; {0, 0} when it is no picture SFML loads.
    using PictureSizer = std::function<sf::Vector2u(const std::string& path)>;

    // Without `decode`, pictures are decoded by decodedSize().
    explicit MapChecker(std::string assetPath = "Assets/", PictureSizer decode = {});

    std::vector<MapProblem> check(const TileMap& map) const;

    // Writes one line per problem (MapProblem::format) to `out`; true when none of them is an error.
    static bool report(const std::vector<MapProblem>& problems, const std::string& mapPath,
                       std::ostream& out);
    static bool hasErrors(const std::vector<MapProblem>& problems);

    // Decodes the picture with SFML, writing nothing: sf::err() points nowhere meanwhile, so call it only
    // where nothing else writes to sf::err() at the same time (the main thread; not a thread of one's own).
    static sf::Vector2u decodedSize(const std::string& path);

private:
    std::string assetPath;
    PictureSizer decode;
};
