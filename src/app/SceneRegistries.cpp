#include "app/SceneRegistries.hpp"

#include "app/GameState.hpp"
#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "assets/AssetManager.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"

void SceneRegistries::dispose() {
    GameObjectManager::getInstance();
    GameObjectManager::destroyInstance();
    RenderManager::getInstance();
    RenderManager::destroyInstance();
    PhysicsManager::getInstance()->clear();
    PhysicsManager::destroyInstance();
}

void SceneRegistries::shutdown() {
    if (auto current = GameStateManager::getInstance()->currentState) {
        current->exit();
    }
    GameStateManager::destroyInstance();
    AssetManager::destroyInstance();
    InputManager::destroyInstance();
    RenderManager::getInstance();
    RenderManager::destroyInstance();
    GameObjectManager::getInstance();
    GameObjectManager::destroyInstance();
}
