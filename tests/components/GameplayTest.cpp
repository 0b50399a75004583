#include "app/GameClock.hpp"
#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "assets/AssetManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "components/MoveComponent.hpp"
#include "input/RealtimeInput.hpp"
#include "storage/Settings.hpp"
#include "support/SceneBuilder.hpp"

#include <gtest/gtest.h>

namespace {
// A scene with the real components, scripted input and a scripted clock.
class GameplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        RealtimeInput::reset();
        RealtimeInput::setScripted(true);
        GameClock::setScripted(true);
        AssetManager::getInstance()->loadSoundBuffer("egg", "Assets/Sounds/egg.wav");
        input = InputManager::getInstance();
        for (const std::string& action : Settings::actions()) {
            input->bindAction(action, Settings().key(action), "player1"); // A, D, W, S to move, E lays
        }
    }
    void TearDown() override {
        scene.reset();
        InputManager::destroyInstance();
        RealtimeInput::reset();
        GameClock::setScripted(false);
    }

    // A drawn body in the scene that dies as the game's objects do.
    std::shared_ptr<GameObject> mortal(const std::string& name, const std::string& type, sf::FloatRect box,
                                       float mass = 1.0f) {
        auto object = scene->body(name, type, box, mass, true, true);
        auto death = std::make_shared<DeathComponent>(object.get());
        object->addComponent(death);
        object->rigidBody->attach(death);
        return object;
    }
    std::shared_ptr<GameObject> player(sf::Vector2f at, float mass = 1.0f) {
        auto object = mortal("player1", "player", {at.x, at.y, 14, 14}, mass);
        object->addComponent(std::make_shared<MoveComponent>(object.get()));
        auto eggs = std::make_shared<LayEggComponent>(object.get());
        object->addComponent(eggs);
        object->rigidBody->attach(eggs);
        return object;
    }
    std::shared_ptr<GameObject> dog(const std::string& name, const std::string& type, sf::Vector2f at,
                                    const std::string& axis = "horizontal", float distance = 100) {
        auto object = mortal(name, type, {at.x, at.y, 16, 16});
        object->addComponent(
            std::make_shared<EnemyMovement>(object.get(), nullptr, axis, distance, distance, true));
        return object;
    }
    std::shared_ptr<GameObject> egg(const std::string& name, sf::Vector2f at) {
        auto object = mortal(name, "egg", {at.x, at.y, 8, 8});
        object->addComponent(std::make_shared<EggComponent>(object.get()));
        return object;
    }
    void frame() { input->update(sf::Event{}); }

    std::unique_ptr<SceneBuilder> scene = std::make_unique<SceneBuilder>();
    InputManager* input = nullptr;
};

TEST_F(GameplayTest, MovementForcesAndDiagonalOverrides) {
    auto heavy = player({0, 0}, 2.0f);
    const auto step = [&](std::initializer_list<sf::Keyboard::Key> held) {
        for (sf::Keyboard::Key key : {sf::Keyboard::A, sf::Keyboard::D, sf::Keyboard::W, sf::Keyboard::S}) {
            RealtimeInput::setKey(key, std::find(held.begin(), held.end(), key) != held.end());
        }
        frame();
        heavy->update(0.02f);
    };
    step({sf::Keyboard::A});
    EXPECT_EQ(heavy->rigidBody->acceleration, sf::Vector2f(-1600, 0)) << "twice the mass, half the push";

    heavy->rigidBody->mass = 1.0f;
    step({sf::Keyboard::D, sf::Keyboard::W});
    EXPECT_EQ(heavy->rigidBody->velocity, sf::Vector2f(48, -48));
    step({sf::Keyboard::A, sf::Keyboard::D, sf::Keyboard::W, sf::Keyboard::S});
    EXPECT_EQ(heavy->rigidBody->acceleration, sf::Vector2f(-2400, 2400))
        << "all four keys: left and down win";
    heavy->rigidBody->velocity = {500, 500}; // a bounce from the last collision step
    step({sf::Keyboard::D});
    EXPECT_EQ(heavy->rigidBody->velocity, sf::Vector2f(64, 0)) << "every frame starts from rest";
}

TEST_F(GameplayTest, DifficultyScalesSightAndChaseSpeedAChaseStartsWithOneAlarmAndHiddenDogsNeverChase) {
    AssetManager* assets = AssetManager::getInstance();
    assets->loadSoundBuffer("alarm", "Assets/Sounds/alarm.wav");
    const sf::SoundBuffer* alarm = assets->soundBuffers.at("alarm").get();
    auto hero = player({2000, 2000});
    auto outside = dog("enemy1", "enemy1", {500, 500});
    auto movement = outside->getComponent<EnemyMovement>();
    const std::pair<Difficulty, double> levels[] = {
        {Difficulty::Easy, 0.75}, {Difficulty::Normal, 1.0}, {Difficulty::Hard, 1.1}};
    for (const auto& [level, scale] : levels) {
        SCOPED_TRACE(scale);
        movement->setDifficulty(level);
        // Just inside its sight, which DogSightTest holds edge by edge.
        outside->setPosition(500, 500);
        hero->setPosition(500 + static_cast<float>(75.0 * scale) - 2, 500);
        outside->update(0.1f);
        ASSERT_TRUE(movement->isChasing());
        EXPECT_NEAR(outside->getPosition().x, 504.0f + 4.5f * scale, 1e-4) << "patrol step plus the run";
        EXPECT_EQ(assets->lastVoice().getBuffer(), alarm);
        assets->playSound("egg");
        outside->update(0.1f);
        EXPECT_NE(assets->lastVoice().getBuffer(), alarm) << "one alarm per chase";

        hero->setPosition(2000, 2000);
        outside->update(0.1f);
        EXPECT_FALSE(movement->isChasing()) << "it gives up";
    }

    auto inside = dog("enemy2", "enemy2", {100, 100});
    inside->getComponent<StaticCmp>()->visible = false;
    hero->setPosition(110, 100);
    inside->update(0.1f);
    EXPECT_TRUE(inside->getComponent<EnemyMovement>()->atHome) << "a hidden dog never chases";
}

TEST_F(GameplayTest, AShotEggDrawsADogAwayAndTheDogWalksBackHome) {
    auto hero = player({2000, 2000});
    auto outside = dog("enemy1", "enemy1", {500, 500}, "vertical", 50);
    auto decoy = egg("egg1", {600, 500});
    auto state = decoy->getComponent<EggComponent>();
    state->laid = state->flying = true;
    state->flightFactor = 1e-3f; // lies still for the chase
    for (int i = 0; i < 60; ++i) {
        outside->update(1.0f / 60.0f);
    }
    EXPECT_GT(outside->getPosition().x, 540.0f) << "it ran 45 px/s towards the egg";
    EXPECT_FALSE(outside->getComponent<EnemyMovement>()->atHome);

    state->flying = false;
    for (int i = 0; i < 60 * 5; ++i) {
        outside->update(1.0f / 60.0f);
    }
    EXPECT_TRUE(outside->getComponent<EnemyMovement>()->atHome);
    EXPECT_NEAR(outside->getPosition().x, 500.0f, 0.5f);
}

TEST_F(GameplayTest, EggsArePickedUpLaidArmedShotTogetherAndComeToRest) {
    auto hero = player({0, 0});
    auto first = egg("egg1", {4, 4});
    auto second = egg("egg2", {6, 6});
    scene->physics().update();
    auto stock = hero->getComponent<LayEggComponent>();
    ASSERT_EQ(stock->eggStock.size(), 2u);
    EXPECT_NEAR(first->getPosition().x, -2000.0f, 16.0f) << "parked far away";

    for (bool held : {true, true, false, true}) {
        RealtimeInput::setKey(sf::Keyboard::E, held);
        frame();
        stock->process(nullptr, 0.0f, "player1");
        if (!held) {
            ASSERT_EQ(stock->eggStock.size(), 1u) << "holding the key lays only one egg";
        }
    }
    EXPECT_TRUE(stock->eggStock.empty());
    EXPECT_EQ(second->getPosition(), hero->getPosition());
    scene->physics().update();
    EXPECT_TRUE(stock->eggStock.empty()) << "a laid egg is not picked up again";

    GameObjectManager::getInstance()->mouseWorldPosition = {100, 0};
    RealtimeInput::setMouseButton(sf::Mouse::Left, true);
    first->update(1.0f / 60.0f);
    EXPECT_FALSE(first->getComponent<EggComponent>()->ready) << "still arming";
    GameClock::advance(sf::seconds(1.5f));
    first->update(1.0f / 60.0f);
    second->update(1.0f / 60.0f);
    EXPECT_TRUE(first->getComponent<EggComponent>()->flying);
    EXPECT_TRUE(second->getComponent<EggComponent>()->flying) << "one click shoots every ready egg";
    EXPECT_GT(first->getPosition().x, 0.0f);

    // The flight slows to a halt in six seconds, and then the egg rests.
    auto flight = first->getComponent<EggComponent>();
    for (int i = 0; i < 60; ++i) {
        first->update(0.1f);
    }
    EXPECT_FLOAT_EQ(flight->flightFactor, 0.0f);
    const float restX = first->getPosition().x;
    first->update(0.1f);
    EXPECT_FALSE(flight->flying || flight->laid);
    EXPECT_FLOAT_EQ(flight->flightFactor, 300.0f);
    EXPECT_EQ(first->rigidBody->velocity, sf::Vector2f(0, 0));
    EXPECT_FLOAT_EQ(first->getPosition().x, restX);
}

TEST_F(GameplayTest, DogsKillThePlayerAndEggsButTheFormulaAndGoalWin) {
    GameStateManager* game = GameStateManager::getInstance();
    auto hero = player({0, 0});
    auto formula = mortal("formula", "formula", {5, 0, 16, 16}, INFINITE_MASS);
    auto goal = scene->body("goal", "goal", {300, 300, 32, 32}, INFINITE_MASS);

    hero->setPosition(300, 300);
    scene->physics().update();
    EXPECT_FALSE(game->levelComplete) << "the goal needs the formula";
    hero->setPosition(0, 0);
    scene->physics().update();
    EXPECT_TRUE(game->hasFormula);
    EXPECT_EQ(formula->getPosition(), sf::Vector2f(5000, 5000));
    hero->setPosition(300, 300);
    scene->physics().update();
    EXPECT_TRUE(game->levelComplete && game->won);
    EXPECT_TRUE(hero->getComponent<DeathComponent>()->alive);

    auto decoy = egg("egg1", {600, 600});
    auto biter = dog("enemy1", "enemy1", {604, 600});
    hero->setPosition(610, 604);
    scene->physics().update();
    EXPECT_NEAR(decoy->getPosition().x, 5000.0f, 16.0f) << "the egg is destroyed";
    EXPECT_FALSE(hero->getComponent<DeathComponent>()->alive);
    EXPECT_FALSE(game->hasFormula);
    EXPECT_NEAR(hero->getPosition().x, 610.0f, 16.0f) << "the player stays where it died";
    EXPECT_FALSE(hero->colliders[0]->solid) << "and blocks nobody";
    hero->update(0.0f);
    EXPECT_FALSE(hero->getComponent<StaticCmp>()->visible);
}
} // namespace
