#include "app/GameStateManager.hpp"
#include "assets/AssetManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "components/MoveComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/StaticCmp.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/SceneBuilder.hpp"
#include "support/TestLevel.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <typeinfo>

namespace {
// The game's components of an object, in the order it holds them.
std::vector<std::string> componentKinds(const GameObject& object) {
    const std::vector<std::pair<const std::type_info*, std::string>> names = {
        {&typeid(StaticCmp), "sprite"},      {&typeid(MoveComponent), "move"},
        {&typeid(DeathComponent), "death"},  {&typeid(LayEggComponent), "layEgg"},
        {&typeid(EnemyMovement), "enemy"},   {&typeid(EggComponent), "egg"},
        {&typeid(CameraComponent), "camera"}};
    std::vector<std::string> kinds;
    for (const auto& component : object.components) {
        const Component& each = *component;
        const auto known = std::find_if(names.begin(), names.end(),
                                        [&](const auto& name) { return *name.first == typeid(each); });
        kinds.push_back(known == names.end() ? "other" : known->second);
    }
    return kinds;
}

class MapLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = makeTempFolder("mapload") + "/";
        testlevel::writeImages(folder);
        AssetManager::getInstance()->loadTexture("dogAngry", "Assets/dogAngry.png");
        GameObjectManager::getInstance()->assetPath = folder;
    }
    bool load(const std::string& text) {
        std::ofstream(folder + "map.tmx") << text;
        return GameObjectManager::getInstance()->loadMap(folder + "map.tmx", {0, 0});
    }
    std::shared_ptr<GameObject> get(const std::string& name) {
        return GameObjectManager::getInstance()->getGameObject(name);
    }

    SceneBuilder scene; // empties the registries afterwards
    std::string folder;
};

TEST_F(MapLoadTest, EveryKindGetsItsComponentsBodyAndCollider) {
    ErrCapture err;
    ASSERT_TRUE(load(testlevel::mapText(folder))) << err.text();
    EXPECT_EQ(err.text(), "Load tilemap with size: 4, 3 and tilesize: 16, 16\n"
                          "Load tileset: tiles width filename: tiles.png and tilesize: 16, 16\n"
                          "Load layer: inside with width: 4 and height: 3\n"
                          "Load layer: inside2 with width: 4 and height: 3\n"
                          "Load layer: outside with width: 4 and height: 3\n"
                          "Load layer: outside2 with width: 4 and height: 3\n");

    EXPECT_EQ(componentKinds(*get("player1")),
              (std::vector<std::string>{"sprite", "move", "death", "layEgg"}));
    EXPECT_EQ(componentKinds(*get("enemy1")), (std::vector<std::string>{"death", "sprite", "enemy"}));
    EXPECT_EQ(componentKinds(*get("egg1")), (std::vector<std::string>{"sprite", "death", "egg"}));
    EXPECT_EQ(componentKinds(*get("formula")), (std::vector<std::string>{"sprite", "death"}));
    EXPECT_EQ(componentKinds(*get("camera")), (std::vector<std::string>{"camera"}));
    CameraComponent& camera = *get("camera")->getComponent<CameraComponent>();
    EXPECT_EQ(camera.view.getSize(), sf::Vector2f(320, 320));
    camera.process(nullptr, 0.0f, "camera");
    EXPECT_EQ(camera.view.getCenter(), sf::Vector2f(32, 24)) << "the 4x3 cells are smaller than the view";

    auto player = get("player1");
    EXPECT_EQ(player->rigidBody->bounds, sf::FloatRect(0, 0, 16, 16));
    EXPECT_EQ(std::make_pair(player->colliders[0]->lowerLeft, player->colliders[0]->upperRight),
              std::make_pair(sf::Vector2f(0, 16), sf::Vector2f(16, 0)));
    ASSERT_EQ(player->rigidBody->observers.size(), 2u);
    EXPECT_EQ(player->rigidBody->observers.front().get(),
              static_cast<IObserver*>(player->getComponent<DeathComponent>().get()));

    auto outside = get("enemy1");
    auto inside = get("enemy2");
    EXPECT_TRUE(outside->colliders[0]->solid && outside->getComponent<StaticCmp>()->visible);
    EXPECT_FALSE(inside->colliders[0]->solid || inside->getComponent<StaticCmp>()->visible);
    EXPECT_FALSE(get("formula")->colliders[0]->solid || get("formula")->getComponent<StaticCmp>()->visible);
    EXPECT_EQ(get("egg1")->rigidBody->mass, 0.5f);
    EXPECT_EQ(get("door")->rigidBody->mass, INFINITE_MASS);
    EXPECT_FALSE(get("door")->colliders[0]->solid);

    // Registration order is file order: the player's collider is paired first.
    PhysicsManager* physics = PhysicsManager::getInstance();
    EXPECT_EQ(physics->registeredColliders.front(), player->colliders[0]);
    EXPECT_EQ(physics->registeredColliders.size(), 1u + 22 + 1 + 10 + 3 + 2);
    RenderManager* renderer = RenderManager::getInstance();
    EXPECT_EQ(renderer->layers.at("Objects").front(), player->getComponent<StaticCmp>().get());
    EXPECT_EQ(renderer->layers.at("inside").size(), 1u);
    EXPECT_EQ(GameObjectManager::getInstance()->mapObject->components.size(), 4u);
}

TEST_F(MapLoadTest, AMapTheGameCannotPlayBuildsNothing) {
    std::string text = testlevel::mapText(folder);
    const std::string player = "name=\"player1\"";
    text.replace(text.find(player), player.size(), "name=\"hero\"");
    ErrCapture err;
    EXPECT_FALSE(load(text));
    EXPECT_NE(err.text().find("player1"), std::string::npos) << err.text();
    EXPECT_NE(err.text().find("the game cannot play this map"), std::string::npos);
    EXPECT_TRUE(GameObjectManager::getInstance()->gameObjects.empty());
    EXPECT_TRUE(PhysicsManager::getInstance()->registeredColliders.empty());
    EXPECT_TRUE(RenderManager::getInstance()->layers.empty());
}
} // namespace

TEST_F(MapLoadTest, ADogTakesItsOwnSightAndSpeedByNameWhereverTiledPutsThem) {
    // enemy1 carries both, the first before its required ones as a careless edit might leave them; enemy3
    // only a speed; enemy2, an inside dog, none.
    std::string text = testlevel::mapText(folder);
    const std::string firstDog = "name=\"enemy1\"";
    const auto properties =
        text.find("<properties>", text.find(firstDog)) + std::string("<properties>").size();
    text.insert(properties, "<property name=\"sightRange\" value=\"240\"/>");
    const auto closing = text.find("</properties>", properties);
    text.insert(closing, "<property name=\"patrolSpeed\" value=\"0\"/>");
    const auto third = text.find("</properties>", text.find("name=\"enemy3\""));
    text.insert(third, "<property name=\"patrolSpeed\" value=\"75.5\"/>");
    ErrCapture err;
    ASSERT_TRUE(load(text)) << err.text();

    const auto tuned = get("enemy1")->getComponent<EnemyMovement>();
    EXPECT_EQ(tuned->tuning.sightRange, 240.0);
    EXPECT_EQ(tuned->tuning.patrolSpeed, 0.0f);
    EXPECT_EQ(tuned->patrolDistanceX, 40.0f) << "the required properties still read by position";
    EXPECT_EQ(get("enemy3")->getComponent<EnemyMovement>()->tuning.patrolSpeed, 75.5f);
    EXPECT_EQ(get("enemy3")->getComponent<EnemyMovement>()->tuning.sightRange, 150.0);
    EXPECT_EQ(get("enemy2")->getComponent<EnemyMovement>()->tuning.sightRange,
              EnemyMovement::kInsideSightRange);

    get("player1")->setPosition(2000, 2000); // out of every dog's sight
    const sf::Vector2f home = get("enemy1")->getPosition();
    for (int frame = 0; frame < 30; ++frame) {
        get("enemy1")->update(1.0f / 60.0f);
    }
    EXPECT_EQ(get("enemy1")->getPosition(), home) << "a dog with patrol speed 0 stands guard";
}
