#pragma once

#include "map/TileMap.hpp"
#include "scene/GameObject.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <memory>
#include <string>

class GameObjectManager;

// Turns the map's objects into game objects with their components, rigid
// bodies and colliders, registered with the object, render and physics
// registries in file order. Properties are read by position; the map is
// checked before this runs, so every property and texture it reads exists.
class MapObjectFactory {
public:
    // The map must outlive the factory.
    MapObjectFactory(GameObjectManager& objects, const TileMap& map);

    // Creates and registers every object of a known type, group by group.
    void createAll();
    // The object for one map object, or empty for an unknown type.
    std::shared_ptr<GameObject> create(const MapObject& object, const std::string& groupName);

    std::shared_ptr<GameObject> createPlayer(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createEnemy(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createCamera(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createBorder(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createEgg(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createEntranceOrExit(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createFormula(const MapObject& object, const std::string& groupName);
    std::shared_ptr<GameObject> createGoal(const MapObject& object, const std::string& groupName);

private:
    static std::shared_ptr<GameObject> makeObject(const MapObject& object);
    // Loads the picture named by properties 2 and 3 and returns a copy of it.
    static sf::Texture loadPicture(const MapObject& object);
    static sf::Vector2f spriteScale(const MapObject& object);
    static void addBody(GameObject& owner, const MapObject& object, float mass, sf::Vector2f velocity);
    static void addBox(GameObject& owner, sf::Vector2f lowerLeft, sf::Vector2f upperRight, bool solid);
    static void addMapBox(GameObject& owner, const MapObject& object, bool solid);

    GameObjectManager& objects;
    const TileMap& map;
};
