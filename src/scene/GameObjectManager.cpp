#include "scene/GameObjectManager.hpp"

#include "map/LevelSchema.hpp"
#include "map/MapLoader.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "scene/RenderComponent.hpp"

GameObjectManager* GameObjectManager::instance = nullptr;

GameObjectManager::GameObjectManager()
    : mapObject(std::make_shared<GameObject>("map", "map", sf::Vector2f(0, 0))) {}

GameObjectManager::~GameObjectManager() {
    // Objects first, then the map's sprites, then the textures they point at.
    gameObjects.clear();
    replacedObjects.clear();
    layerSprites.clear();
    mapObject.reset();
    tilesetTextures.clear();
}

GameObjectManager* GameObjectManager::getInstance() {
    if (!instance) {
        instance = new GameObjectManager();
    }
    return instance;
}

void GameObjectManager::destroyInstance() {
    delete instance;
    instance = nullptr;
}

std::shared_ptr<GameObject> GameObjectManager::getGameObject(std::string name) {
    return gameObjects.at(name);
}

std::shared_ptr<GameObject> GameObjectManager::findGameObject(const std::string& name) const {
    auto found = gameObjects.find(name);
    return found == gameObjects.end() ? nullptr : found->second;
}

void GameObjectManager::addGameObject(std::string name, std::shared_ptr<GameObject> object) {
    std::shared_ptr<GameObject>& slot = gameObjects[name];
    if (slot) {
        replacedObjects.push_back(std::move(slot));
    }
    slot = std::move(object);
}

bool GameObjectManager::loadMap(std::string path, sf::Vector2f origin) {
    return MapLoader(*this).load(path, origin);
}

void GameObjectManager::toggleEnemies() {
    for (const auto& [name, object] : gameObjects) {
        if (!LevelSchema::isDog(object->type)) {
            continue;
        }
        if (auto sprite = object->getComponent<RenderComponent>()) {
            sprite->visible = !sprite->visible;
        }
        if (!object->colliders.empty()) {
            object->colliders.front()->solid = !object->colliders.front()->solid;
        }
    }
}
