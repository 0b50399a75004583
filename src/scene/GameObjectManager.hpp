#pragma once

#include "map/MedalTimes.hpp"
#include "scene/GameObject.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The running level's registry: named game objects, the map's tileset textures
// and tile sprites, and this frame's mouse position in world coordinates.
// Destroyed whenever a screen other than the menu is left.
class GameObjectManager {
public:
    static GameObjectManager* getInstance();
    static void destroyInstance();

    // Throws std::out_of_range for a name that was never registered.
    std::shared_ptr<GameObject> getGameObject(std::string name);
    // Empty when the name was never registered.
    std::shared_ptr<GameObject> findGameObject(const std::string& name) const;
    void addGameObject(std::string name, std::shared_ptr<GameObject> object);

    // Reads a Tiled map and builds its tile layers and game objects. Returns
    // false, having built nothing, when the file cannot be read or played; the
    // reason is written to sf::err().
    bool loadMap(std::string path, sf::Vector2f origin);

    // Flips visibility and solidity of every dog (the building was entered or left).
    void toggleEnemies();

    // Declared in this order so the textures outlive the sprites that use them.
    std::unordered_map<std::string, std::shared_ptr<sf::Texture>> tilesetTextures;
    std::string assetPath = "Assets/";
    std::shared_ptr<GameObject> mapObject;
    std::vector<std::vector<std::shared_ptr<sf::Sprite>>> layerSprites;
    std::unordered_map<std::string, std::shared_ptr<GameObject>> gameObjects;
    // Objects whose name a later object took (unnamed zones all share ""): the render and physics
    // managers still point into them, so they live as long as the level.
    std::vector<std::shared_ptr<GameObject>> replacedObjects;
    sf::Vector2i mouseWorldPosition;
    // Set in the frames in which the player shoots without the pointer: the direction the armed eggs fly.
    std::optional<sf::Vector2f> shotDirection;
    // The loaded level's target times, when its map gives them.
    std::optional<MedalTimes> medalTimes;
    // The loaded level's title (its "name", else its file's name) and its intro line ("" without one).
    std::string levelTitle;
    std::string levelIntro;
    // The map's hints: the area the player stands in to see the words.
    struct Hint {
        sf::FloatRect area;
        std::string text;
    };
    std::vector<Hint> hints;

private:
    GameObjectManager();
    ~GameObjectManager();
    static GameObjectManager* instance;
};
