#include "components/DeathComponent.hpp"

#include "app/GameStateManager.hpp"
#include "assets/AssetManager.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObject.hpp"
#include "scene/RenderComponent.hpp"

namespace {
const sf::Vector2f kGraveyard{5000.0f, 5000.0f};
}

DeathComponent::DeathComponent(GameObject* owner) : Component(true), owner(owner) {}

std::string DeathComponent::normalisedType(const std::string& type) {
    static const std::string kEnemy = "enemy";
    if (type.size() <= kEnemy.size() + 1 && type.compare(0, kEnemy.size(), kEnemy) == 0) {
        return "enemy";
    }
    return type;
}

void DeathComponent::process(sf::RenderWindow*, float, std::string) {
    if (alive) {
        return;
    }
    if (auto sprite = owner->getComponent<RenderComponent>()) {
        sprite->visible = false;
    }
}

void DeathComponent::onNotify(std::shared_ptr<BoxCollisionComponent> other) {
    const std::string mine = normalisedType(owner->type);
    const std::string theirs = normalisedType(other->body->owner->type);
    GameStateManager* game = GameStateManager::getInstance();
    AssetManager* assets = AssetManager::getInstance();

    if (mine == "player") {
        if (theirs == "enemy") {
            assets->playSoundIfLoaded("death");
            game->hasFormula = false;
            die();
        }
        if (theirs == "goal" && game->hasFormula) {
            assets->playSoundIfLoaded("victory");
            game->levelComplete = true;
            game->won = true;
        }
    }
    if (mine == "egg" && theirs == "enemy") {
        die();
    }
    if (mine == "formula" && theirs == "player") {
        assets->playSoundIfLoaded("formula");
        die();
        game->hasFormula = true;
    }
}

void DeathComponent::die() {
    if (auto first = owner->getComponent<DeathComponent>()) {
        first->alive = false;
    }
    for (const auto& collider : owner->colliders) {
        collider->solid = false;
    }
    if (!owner->colliders.empty()) {
        owner->colliders.front()->body->detachAll();
    }
    if (owner->type != "player") {
        owner->setPosition(kGraveyard);
    }
}
