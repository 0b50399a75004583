#include "map/MapObjectFactory.hpp"

#include "assets/AssetManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "components/MoveComponent.hpp"
#include "map/LevelSchema.hpp"
#include "map/PropertyLookup.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "scene/StaticCmp.hpp"

namespace {
constexpr float kDogMass = 1.0f;
constexpr float kInGameZoom = 0.4f;

const std::string& text(const MapObject& object, std::size_t position) {
    return PropertyLookup(object).at(position).value;
}

float number(const MapObject& object, std::size_t position) {
    return PropertyLookup::checkedNumber(text(object, position));
}
// The dog's kind sets its numbers; the map may give this one dog its own sight and patrol speed.
EnemyMovement::Tuning dogTuning(const MapObject& object) {
    EnemyMovement::Tuning tuning = EnemyMovement::standardTuning(object.type);
    const PropertyLookup properties(object);
    tuning.sightRange = properties.numberOr(LevelSchema::kSightRange, static_cast<float>(tuning.sightRange));
    tuning.patrolSpeed = properties.numberOr(LevelSchema::kPatrolSpeed, tuning.patrolSpeed);
    return tuning;
}
} // namespace

MapObjectFactory::MapObjectFactory(GameObjectManager& objects, const TileMap& map)
    : objects(objects), map(map) {}

void MapObjectFactory::createAll() {
    for (const ObjectGroup& group : map.objectGroups) {
        for (const MapObject& object : group.objects) {
            if (auto created = create(object, group.name)) {
                objects.addGameObject(object.name, created);
            }
        }
    }
}

std::shared_ptr<GameObject> MapObjectFactory::create(const MapObject& object, const std::string& groupName) {
    const std::string& type = object.type;
    if (type == LevelSchema::kPlayer) {
        return createPlayer(object, groupName);
    }
    if (LevelSchema::isDog(type)) {
        return createEnemy(object, groupName);
    }
    if (type == LevelSchema::kCamera) {
        return createCamera(object, groupName);
    }
    if (type == LevelSchema::kInsideWall || type == LevelSchema::kOutsideWall) {
        return createBorder(object, groupName);
    }
    if (type == LevelSchema::kEgg) {
        return createEgg(object, groupName);
    }
    if (type == LevelSchema::kEntrance || type == LevelSchema::kExit) {
        return createEntranceOrExit(object, groupName);
    }
    if (type == LevelSchema::kFormula) {
        return createFormula(object, groupName);
    }
    if (type == LevelSchema::kGoal) {
        return createGoal(object, groupName);
    }
    return nullptr;
}

std::shared_ptr<GameObject> MapObjectFactory::makeObject(const MapObject& object) {
    return std::make_shared<GameObject>(
        object.name, object.type, sf::Vector2f(static_cast<float>(object.x), static_cast<float>(object.y)));
}

sf::Texture MapObjectFactory::loadPicture(const MapObject& object) {
    AssetManager* assets = AssetManager::getInstance();
    const std::string& name = text(object, LevelSchema::kTextureName);
    assets->loadTexture(name, text(object, LevelSchema::kTexturePath));
    return assets->hasTexture(name) ? assets->getTexture(name) : sf::Texture();
}

sf::Vector2f MapObjectFactory::spriteScale(const MapObject& object) {
    return {number(object, LevelSchema::kScaleX), number(object, LevelSchema::kScaleY)};
}

void MapObjectFactory::addBody(GameObject& owner, const MapObject& object, float mass,
                               sf::Vector2f velocity) {
    const sf::FloatRect bounds(0.0f, 0.0f, static_cast<float>(object.width),
                               static_cast<float>(object.height));
    owner.rigidBody = std::make_shared<RigidBodyComponent>(&owner, mass, velocity, bounds, false);
}

void MapObjectFactory::addBox(GameObject& owner, sf::Vector2f lowerLeft, sf::Vector2f upperRight,
                              bool solid) {
    auto box = std::make_shared<BoxCollisionComponent>(owner.rigidBody.get(), lowerLeft, upperRight);
    box->solid = solid;
    owner.colliders.push_back(box);
    PhysicsManager::getInstance()->addCollider(box);
}

void MapObjectFactory::addMapBox(GameObject& owner, const MapObject& object, bool solid) {
    // Summed in 64 bits: a designer's absurd coordinates must not overflow.
    const long long x = object.x;
    const long long y = object.y;
    const sf::Vector2f lowerLeft(static_cast<float>(x), static_cast<float>(y + object.height));
    const sf::Vector2f upperRight(static_cast<float>(x + object.width), static_cast<float>(y));
    addBox(owner, lowerLeft, upperRight, solid);
}

std::shared_ptr<GameObject> MapObjectFactory::createPlayer(const MapObject& object,
                                                           const std::string& groupName) {
    auto player = makeObject(object);
    auto sprite =
        std::make_shared<StaticCmp>(player.get(), loadPicture(object), spriteScale(object), groupName, false);
    addBody(*player, object, number(object, LevelSchema::kMass),
            {number(object, LevelSchema::kVelocityX), number(object, LevelSchema::kVelocityY)});
    addMapBox(*player, object, true);
    RenderManager::getInstance()->addComponent(sprite.get());
    player->addComponent(sprite);
    player->addComponent(std::make_shared<MoveComponent>(player.get()));
    auto death = std::make_shared<DeathComponent>(player.get());
    player->addComponent(death);
    player->rigidBody->attach(death);
    auto eggs = std::make_shared<LayEggComponent>(player.get());
    player->addComponent(eggs);
    player->rigidBody->attach(eggs);
    return player;
}

std::shared_ptr<GameObject> MapObjectFactory::createEnemy(const MapObject& object,
                                                          const std::string& groupName) {
    auto dog = makeObject(object);
    const sf::Texture picture = loadPicture(object);
    auto sprite = std::make_shared<StaticCmp>(dog.get(), picture, spriteScale(object), groupName, false);
    const bool outsideDog = object.type == LevelSchema::kOutsideDog;
    sprite->visible = outsideDog;
    RenderManager::getInstance()->addComponent(sprite.get());
    auto death = std::make_shared<DeathComponent>(dog.get());
    dog->addComponent(death);
    addBody(*dog, object, kDogMass, {0.0f, 0.0f});
    dog->rigidBody->attach(death);
    // A dog's box is its picture's size, whatever the map object's size.
    const sf::Vector2f position = dog->getPosition();
    const sf::Vector2f size(static_cast<float>(picture.getSize().x), static_cast<float>(picture.getSize().y));
    addBox(*dog, {position.x, position.y + size.y}, {position.x + size.x, position.y}, outsideDog);
    dog->addComponent(sprite);
    const float distanceX = number(object, LevelSchema::kPatrolDistanceX);
    const std::string axis = text(object, LevelSchema::kPatrolAxis);
    const float distanceY = number(object, LevelSchema::kPatrolDistanceY);
    GameObject* player = objects.getGameObject(LevelSchema::kPlayerName).get();
    dog->addComponent(std::make_shared<EnemyMovement>(dog.get(), player, axis, distanceX, distanceY, true,
                                                      dogTuning(object)));
    return dog;
}

std::shared_ptr<GameObject> MapObjectFactory::createCamera(const MapObject& object, const std::string&) {
    auto camera = makeObject(object);
    const sf::Vector2f offset(number(object, LevelSchema::kOffsetX), number(object, LevelSchema::kOffsetY));
    camera->addComponent(
        std::make_shared<CameraComponent>(objects.getGameObject(LevelSchema::kPlayerName), offset, false));
    CameraComponent& follower = *camera->getComponent<CameraComponent>();
    follower.view.zoom(kInGameZoom);
    follower.stayOnMap({static_cast<float>(map.width) * static_cast<float>(map.tileWidth),
                        static_cast<float>(map.height) * static_cast<float>(map.tileHeight)});
    return camera;
}

std::shared_ptr<GameObject> MapObjectFactory::createBorder(const MapObject& object, const std::string&) {
    auto wall = makeObject(object);
    addBody(*wall, object, INFINITE_MASS, {0.0f, 0.0f});
    addMapBox(*wall, object, object.type == LevelSchema::kOutsideWall);
    return wall;
}

std::shared_ptr<GameObject> MapObjectFactory::createEgg(const MapObject& object,
                                                        const std::string& groupName) {
    auto egg = makeObject(object);
    auto sprite =
        std::make_shared<StaticCmp>(egg.get(), loadPicture(object), spriteScale(object), groupName, false);
    addBody(*egg, object, number(object, LevelSchema::kMass),
            {number(object, LevelSchema::kVelocityX), number(object, LevelSchema::kVelocityY)});
    addMapBox(*egg, object, true);
    RenderManager::getInstance()->addComponent(sprite.get());
    egg->addComponent(sprite);
    auto death = std::make_shared<DeathComponent>(egg.get());
    egg->addComponent(death);
    egg->rigidBody->attach(death);
    egg->addComponent(std::make_shared<EggComponent>(egg.get()));
    return egg;
}

std::shared_ptr<GameObject> MapObjectFactory::createEntranceOrExit(const MapObject& object,
                                                                   const std::string&) {
    auto zone = makeObject(object);
    addBody(*zone, object, INFINITE_MASS, {0.0f, 0.0f});
    addMapBox(*zone, object, false);
    return zone;
}

std::shared_ptr<GameObject> MapObjectFactory::createFormula(const MapObject& object,
                                                            const std::string& groupName) {
    auto formula = makeObject(object);
    auto sprite = std::make_shared<StaticCmp>(formula.get(), loadPicture(object), spriteScale(object),
                                              groupName, false);
    sprite->visible = false;
    RenderManager::getInstance()->addComponent(sprite.get());
    formula->addComponent(sprite);
    addBody(*formula, object, INFINITE_MASS, {0.0f, 0.0f});
    auto death = std::make_shared<DeathComponent>(formula.get());
    formula->addComponent(death);
    formula->rigidBody->attach(death);
    addMapBox(*formula, object, false);
    return formula;
}

std::shared_ptr<GameObject> MapObjectFactory::createGoal(const MapObject& object, const std::string&) {
    auto goal = makeObject(object);
    addBody(*goal, object, INFINITE_MASS, {0.0f, 0.0f});
    addMapBox(*goal, object, true);
    return goal;
}
