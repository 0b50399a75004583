#include "components/EnemyMovement.hpp"

#include "assets/AssetManager.hpp"
#include "components/EggComponent.hpp"
#include "map/LevelSchema.hpp"
#include "physics/NavGrid.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
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

void EnemyMovement::setDifficulty(Difficulty level) {
    difficultyScale = level == Difficulty::Easy ? kEasyScale : level == Difficulty::Hard ? kHardScale : 1.0;
}

void EnemyMovement::showLook(StaticCmp& sprite, bool angry) {
    // Copying a texture is costly; only swap when the look really changes.
    if (angry != lookingAngry) {
        sprite.texture = angry ? angryTexture : normalTexture;
        lookingAngry = angry;
    }
}

sf::Vector2f EnemyMovement::centreOf(const GameObject& object) {
    if (!object.rigidBody) {
        return object.getPosition();
    }
    const sf::FloatRect box = object.rigidBody->bounds;
    return object.getPosition() + sf::Vector2f(box.left + box.width / 2.0f, box.top + box.height / 2.0f);
}

sf::Vector2f EnemyMovement::bodySize() const {
    // A dog without a body of its own is taken to be the standard dog, a tile wide.
    if (!owner->rigidBody || owner->rigidBody->bounds.width <= 0.0f) {
        return {16.0f, 16.0f};
    }
    return {owner->rigidBody->bounds.width, owner->rigidBody->bounds.height};
}

sf::Vector2f EnemyMovement::eye() const {
    return owner->getPosition() + bodySize() / 2.0f;
}

bool EnemyMovement::canSee(sf::Vector2f point) const {
    const NavGrid* walls = PhysicsManager::getInstance()->sightWalls();
    return !walls || walls->lineIsClear(eye(), point);
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
        if (state && state->laid && state->flying && distance(p, egg->getPosition()) < range * kEggFactor &&
            canSee(centreOf(*egg))) {
            goalPoint = egg->getPosition();
            kind = Target::Egg;
        }
    }
    bool playerNear = false;
    if (auto player = objects->findGameObject(LevelSchema::kPlayerName)) {
        const int playerDistance = distance(p, player->getPosition());
        const bool inSight =
            playerDistance < range * kPlayerFactor * kWarningFactor && canSee(centreOf(*player));
        if (inSight && playerDistance < range * kPlayerFactor) {
            goalPoint = player->getPosition();
            kind = Target::Player;
        }
        playerNear = inSight;
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
    wary = !chasing && playerNear && sprite->visible;
    if (PhysicsManager::getInstance()->sightWalls()) {
        moveAroundWalls(*sprite, chasing, wasChasing, goalPoint, dt);
    } else if (chasing) {
        showLook(*sprite, true);
        if (!wasChasing) {
            AssetManager::getInstance()->playSoundIfLoaded("alarm");
        }
        atHome = false;
        runTowards(p, goalPoint, tuning.runSpeed * difficultyScale, dt);
    } else if (!atHome) {
        runTowards(p, home, tuning.runSpeed, dt);
    }
    countSighting(lookingAngry && kind == Target::Player);
    chasingEgg = lookingAngry && kind == Target::Egg;
}

void EnemyMovement::countSighting(bool chasingPlayer) {
    // A chase that turns from an egg to the player is the player being seen as much as a fresh one.
    if (chasingPlayer && !wasChasingPlayer) {
        ++sightings;
    }
    wasChasingPlayer = chasingPlayer;
}

void EnemyMovement::moveAroundWalls(StaticCmp& sprite, bool noticed, bool wasChasing, sf::Vector2f goalPoint,
                                    float dt) {
    const NavGrid& walls = *PhysicsManager::getInstance()->sightWalls();
    if (noticed && way.walk(*owner, bodySize(), goalPoint, tuning.runSpeed * difficultyScale, dt, walls)) {
        showLook(sprite, true);
        if (!wasChasing) {
            AssetManager::getInstance()->playSoundIfLoaded("alarm");
        }
        atHome = false;
        lastSeen = goalPoint;
        searching = Search::None;
        return;
    }
    if (noticed) {
        // Seen, but there is no way there: the dog gives up and goes home.
        searching = atHome ? Search::None : Search::GoingHome;
    } else if (wasChasing) {
        searching = Search::GoingToLastSeen;
        way.forget();
    }
    searchForLost(dt);
    wary = wary || ((searching == Search::GoingToLastSeen || searching == Search::Waiting) && sprite.visible);
}

void EnemyMovement::searchForLost(float dt) {
    const NavGrid& walls = *PhysicsManager::getInstance()->sightWalls();
    if (searching == Search::None && !atHome) {
        searching = Search::GoingHome;
    }
    if (searching == Search::GoingToLastSeen) {
        if (!way.walk(*owner, bodySize(), lastSeen, tuning.runSpeed * difficultyScale, dt, walls)) {
            searching = Search::GoingHome;
            way.forget();
        } else if (way.finished()) {
            searching = Search::Waiting;
            waitLeft = kSearchWait;
        }
    } else if (searching == Search::Waiting) {
        waitLeft -= dt;
        if (waitLeft <= 0.0f) {
            searching = Search::GoingHome;
            way.forget();
        }
    } else if (searching == Search::GoingHome) {
        if (atHome) {
            searching = Search::None;
            return;
        }
        // Without a way home the dog stays where it is and tries again as the route allows.
        way.walk(*owner, bodySize(), home, tuning.runSpeed, dt, walls);
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
