#include "components/LayEggComponent.hpp"

#include "app/InputManager.hpp"
#include "assets/AssetManager.hpp"
#include "components/EggComponent.hpp"
#include "components/MoveComponent.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObject.hpp"
#include "scene/GameObjectManager.hpp"

namespace {
// Where a collected egg waits, out of everyone's way.
const sf::Vector2f kEggPocket{-2000.0f, -2000.0f};

GameObject* ownerOf(const BoxCollisionComponent& collider) {
    return collider.body->owner;
}
} // namespace

LayEggComponent::LayEggComponent(GameObject* owner) : Component(true), owner(owner) {}

void LayEggComponent::process(sf::RenderWindow*, float, std::string objectName) {
    InputManager* input = InputManager::getInstance();
    if (input->isActionPressed("LAY", objectName)) {
        layEgg();
    }
    GameObjectManager* objects = GameObjectManager::getInstance();
    objects->shotDirection.reset();
    if (input->isActionPressed("SHOOT", objectName)) {
        const auto mover = owner->getComponent<MoveComponent>();
        objects->shotDirection = input->gamepad.aim().value_or(mover ? mover->facing : sf::Vector2f(0, 1));
    }
}

void LayEggComponent::onNotify(std::shared_ptr<BoxCollisionComponent> other) {
    GameObject* egg = ownerOf(*other);
    if (egg->type != "egg") {
        return;
    }
    auto state = egg->getComponent<EggComponent>();
    if (!state || state->laid) {
        return; // a laid egg is picked up only once it has come to rest
    }
    egg->setPosition(kEggPocket);
    eggStock.push_back(std::move(other));
}

void LayEggComponent::layEgg() {
    if (eggStock.empty()) {
        return;
    }
    AssetManager::getInstance()->playSoundIfLoaded("egg");
    GameObject* egg = ownerOf(*eggStock.back());
    if (auto state = egg->getComponent<EggComponent>()) {
        state->laid = true;
        state->arming = true;
    }
    egg->setPosition(owner->getPosition());
    eggStock.pop_back();
}
