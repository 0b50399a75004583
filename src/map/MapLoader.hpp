#pragma once

#include <SFML/System/Vector2.hpp>
#include <string>

class GameObjectManager;
struct TileMap;

// Loads a Tiled map into the game object manager: tileset textures, one drawn
// layer per tile layer, and the game objects. The map is read and checked
// completely first; a map the game cannot play builds nothing.
class MapLoader {
public:
    explicit MapLoader(GameObjectManager& objects);

    // False when the file cannot be read or played; one line per problem has
    // then gone to sf::err(). The trace of the load goes there too.
    bool load(const std::string& path, sf::Vector2f origin);

private:
    // The level's title and intro for its card, and its hints' areas and words.
    void keepTitleAndHints(const TileMap& map, const std::string& path);

    GameObjectManager& objects;
};
