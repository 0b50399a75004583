#pragma once

#include "app/GameStateManager.hpp"
#include "assets/AssetManager.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "scene/StaticCmp.hpp"

#include <memory>
#include <string>

// Builds small scenes in the real registries and empties them afterwards, with the assets and the level's
// outcome the scene's objects used.
class SceneBuilder {
public:
    ~SceneBuilder() {
        GameObjectManager::destroyInstance();
        RenderManager::destroyInstance();
        PhysicsManager::getInstance()->clear();
        PhysicsManager::destroyInstance();
        AssetManager::destroyInstance();
        GameStateManager::destroyInstance();
    }

    // An object with a body, one collider registered with the physics, and
    // (when drawn) a sprite in the "Objects" layer; stored in the registry.
    std::shared_ptr<GameObject> body(const std::string& name, const std::string& type, sf::FloatRect box,
                                     float mass = 1.0f, bool solid = true, bool drawn = false) {
        auto object = std::make_shared<GameObject>(name, type, sf::Vector2f(box.left, box.top));
        if (drawn) {
            auto sprite = std::make_shared<StaticCmp>(object.get(), sf::Texture(), sf::Vector2f(1, 1),
                                                      "Objects", false);
            object->addComponent(sprite);
            RenderManager::getInstance()->addComponent(sprite.get());
        }
        object->rigidBody = std::make_shared<RigidBodyComponent>(
            object.get(), mass, sf::Vector2f(), sf::FloatRect(0, 0, box.width, box.height), false);
        auto collider = std::make_shared<BoxCollisionComponent>(object->rigidBody.get(),
                                                                sf::Vector2f(box.left, box.top + box.height),
                                                                sf::Vector2f(box.left + box.width, box.top));
        collider->solid = solid;
        object->colliders.push_back(collider);
        PhysicsManager::getInstance()->addCollider(collider);
        GameObjectManager::getInstance()->addGameObject(name, object);
        return object;
    }

    PhysicsManager& physics() { return *PhysicsManager::getInstance(); }
};
