#include "components/EnemyMovement.hpp"

#include "assets/AssetManager.hpp"
#include "components/EggComponent.hpp"
#include "map/LevelSchema.hpp"
#include "scene/GameObject.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/StaticCmp.hpp"

#include <cmath>
#include <cstdlib>

EnemyMovement::EnemyMovement(GameObject* dog, GameObject* player, std::string axis, float distanceX,
                             float distanceY, bool runsInUpdate, std::optional<Tuning> dogTuning)
    : Component(runsInUpdate), owner(dog), target(player), home(dog->getPosition()),
      tuning(dogTuning ? *dogTuning : standardTuning(dog->type)), patrolAxis(std::move(axis)),
      patrolDistanceX(distanceX), patrolDistanceY(distanceY) {
    if (auto sprite = dog->getComponent<StaticCmp>()) {
        normalTexture = sprite->texture;
    }
    // Without the angry picture a chasing dog keeps its own look.
    AssetManager* assets = AssetManager::getInstance();
    angryTexture = assets->hasTexture("dogAngry") ? assets->getTexture("dogAngry") : normalTexture;
}

EnemyMovement::Tuning EnemyMovement::standardTuning(const std::string& type) {
    Tuning standard;
    standard.sightRange = type == LevelSchema::kInsideDog ? kInsideSightRange : kOutsideSightRange;
    return standard;
}

int EnemyMovement::distance(sf::Vector2f a, sf::Vector2f b) {
    return std::abs(static_cast<int>(a.x - b.x)) + std::abs(static_cast<int>(a.y - b.y));
}

void EnemyMovement::setDifficulty(Settings::Difficulty level) {
    difficultyScale = level == Settings::Difficulty::Easy   ? kEasyScale
                      : level == Settings::Difficulty::Hard ? kHardScale
                                                            : 1.0;
}

void EnemyMovement::showLook(StaticCmp& sprite, bool angry) {
    // Copying a texture is costly; only swap when the look really changes.
    if (angry != lookingAngry) {
        sprite.texture = angry ? angryTexture : normalTexture;
        lookingAngry = angry;
    }
}

void EnemyMovement::process(sf::RenderWindow*, float dt, std::string) {
    auto sprite = owner->getComponent<StaticCmp>();
    if (!sprite) {
        return;
    }
    const bool wasChasing = lookingAngry;
    showLook(*sprite, false);

    const sf::Vector2f p = owner->getPosition();
    const double range = tuning.sightRange * difficultyScale;
    GameObjectManager* objects = GameObjectManager::getInstance();
    enum class Target { None, Egg, Player } kind = Target::None;
    sf::Vector2f goalPoint;

    for (int i = 1; i <= LevelSchema::kEggCount; ++i) {
        auto egg = objects->findGameObject(LevelSchema::eggName(i));
        auto state = egg ? egg->getComponent<EggComponent>() : nullptr;
        if (state && state->laid && state->flying && distance(p, egg->getPosition()) < range * kEggFactor) {
            goalPoint = egg->getPosition();
            kind = Target::Egg;
        }
    }
    if (auto player = objects->findGameObject(LevelSchema::kPlayerName)) {
        if (distance(p, player->getPosition()) < range * kPlayerFactor) {
            goalPoint = player->getPosition();
            kind = Target::Player;
        }
    }
    const int dist = distance(p, goalPoint);

    if (std::round(p.x) == home.x && std::round(p.y) == home.y) {
        atHome = true;
    }
    if (atHome) {
        patrol(dt);
    }

    const double reach = kind == Target::Player ? range * kPlayerFactor : range;
    const bool chasing = kind != Target::None && reach > dist && sprite->visible;
    if (chasing) {
        showLook(*sprite, true);
        if (!wasChasing) {
            AssetManager::getInstance()->playSoundIfLoaded("alarm");
        }
        atHome = false;
        runTowards(p, goalPoint, tuning.runSpeed * difficultyScale, dt);
    } else if (!atHome) {
        runTowards(p, home, tuning.runSpeed, dt);
    }
}

void EnemyMovement::patrol(float dt) {
    const float step = tuning.patrolSpeed * dt;
    if (patrolAxis == "horizontal") {
        if (!reversing) {
            owner->move(step, 0.0f);
            if (owner->getPosition().x > home.x + patrolDistanceX) {
                reversing = true;
            }
        }
        if (reversing) {
            owner->move(-step, 0.0f);
            if (home.x >= owner->getPosition().x) {
                reversing = false;
            }
        }
    } else {
        if (reversing) {
            owner->move(0.0f, step);
            if (owner->getPosition().y > home.y + patrolDistanceY) {
                reversing = false;
            }
        }
        if (!reversing) {
            owner->move(0.0f, -step);
            if (home.y >= owner->getPosition().y) {
                reversing = true;
            }
        }
    }
}

void EnemyMovement::runTowards(sf::Vector2f from, sf::Vector2f goal, double speed, float dt) {
    const double angle =
        std::atan2(static_cast<double>(goal.y) - from.y, static_cast<double>(goal.x) - from.x);
    owner->move(static_cast<float>(std::cos(angle) * speed * dt),
                static_cast<float>(std::sin(angle) * speed * dt));
}
