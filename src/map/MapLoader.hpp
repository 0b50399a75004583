#pragma once

#include <SFML/System/Vector2.hpp>
#include <string>

class GameObjectManager;

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
    GameObjectManager& objects;
};
