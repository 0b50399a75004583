#include "scene/CameraComponent.hpp"
#include "scene/GameObject.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderComponent.hpp"
#include "scene/RenderManager.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// Writes its tag into a shared log at each call, so tests can see the order.
class Recorder : public RenderComponent {
public:
    Recorder(std::vector<std::string>& log, std::string tag, std::string layer)
        : RenderComponent(nullptr, std::move(layer), true), log(log), tag(std::move(tag)) {}
    void process(sf::RenderWindow* window, float dt, std::string objectName) override {
        EXPECT_TRUE(window == nullptr && dt == 0.0f && objectName == "id")
            << tag << " drawn as " << objectName;
        log.push_back(tag);
    }
    void drawOn(sf::RenderTarget&) override { log.push_back(tag + " target"); }
    std::vector<std::string>& log;
    std::string tag;
};

// Layers back to front, each component drawn with dt 0 and the name "id"; a layer pair and a component hidden
// each on their own.
TEST(RenderManagerTest, DrawsShownLayersBackToFrontAndHidesPairsAndComponentsIndependently) {
    std::vector<std::string> log;
    std::vector<std::shared_ptr<Recorder>> owned;
    const auto add = [&](const std::string& tag, const std::string& layer) -> Recorder& {
        owned.push_back(std::make_shared<Recorder>(log, tag, layer));
        RenderManager::getInstance()->addComponent(owned.back().get());
        return *owned.back();
    };
    add("player", "Objects");
    Recorder& dog = add("dog", "Objects");
    add("floor", "inside");
    add("tree", "outside2");
    add("unknown", "somewhere");
    RenderManager* renderer = RenderManager::getInstance();
    renderer->draw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"floor", "tree", "player", "dog"}));
    log.clear();
    renderer->showOutside();
    dog.visible = false;
    renderer->draw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"tree", "player"}));

    log.clear();
    renderer->showInside();
    dog.visible = true;
    add("bush", "outside2");
    renderer->draw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"floor", "tree", "bush", "player", "dog"}))
        << "a new component makes its hidden layer visible again";
    RenderManager::destroyInstance();
}

TEST(CameraComponentTest, KeepsTheViewOnTheMapItShowsAndCentresAMapSmallerThanTheView) {
    auto target = std::make_shared<GameObject>("player1", "player", sf::Vector2f(0, 0));
    CameraComponent camera(target, {0, 0}, false);
    camera.view.zoom(0.4f); // the game's 320x320 view

    const auto centreAt = [&](sf::Vector2f position, sf::Vector2f offset) {
        target->setPosition(position);
        camera.offset = offset;
        camera.process(nullptr, 0.0f, "camera");
        return camera.view.getCenter();
    };
    EXPECT_EQ(centreAt({2000, 2000}, {400, 400}), sf::Vector2f(2400, 2400)) << "a menu picture's camera";

    camera.stayOnMap({80 * 16, 64 * 16}); // the first level, with the limits it always had
    EXPECT_EQ(centreAt({0, 0}, {0, 0}), sf::Vector2f(160, 160));
    EXPECT_EQ(centreAt({2000, 500}, {0, 0}), sf::Vector2f(1110, 500));
    EXPECT_EQ(centreAt({500, 900}, {0, 10}), sf::Vector2f(500, 860));

    camera.stayOnMap({120 * 16, 100 * 16});
    EXPECT_EQ(centreAt({1500, 1200}, {7, 7}), sf::Vector2f(1507, 1207));
    EXPECT_EQ(centreAt({1900, 1590}, {7, 7}), sf::Vector2f(1750, 1436));

    camera.stayOnMap({20 * 16, 8 * 16}); // as wide as the view, and lower
    EXPECT_EQ(centreAt({300, 100}, {7, 7}), sf::Vector2f(160, 64));
}

// Objects of an empty name (the level's walls) replace each other in the registry; their colliders still
// point into them until the level ends.
TEST(GameObjectManagerTest, AReplacedObjectLivesUntilTheRegistryGoes) {
    GameObjectManager* objects = GameObjectManager::getInstance();
    auto first = std::make_shared<GameObject>("egg1", "egg", sf::Vector2f());
    std::weak_ptr<GameObject> firstAlive = first;
    objects->addGameObject("egg1", std::move(first));
    objects->addGameObject("egg1", std::make_shared<GameObject>("egg1", "egg", sf::Vector2f(1, 1)));
    EXPECT_EQ(objects->getGameObject("egg1")->getPosition(), sf::Vector2f(1, 1));
    EXPECT_FALSE(firstAlive.expired());
    GameObjectManager::destroyInstance();
    EXPECT_TRUE(firstAlive.expired());
    EXPECT_TRUE(GameObjectManager::getInstance()->gameObjects.empty());
    GameObjectManager::destroyInstance();
}
} // namespace
