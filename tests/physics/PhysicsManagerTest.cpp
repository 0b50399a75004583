#include "physics/PhysicsManager.hpp"

#include "scene/IObserver.hpp"
#include "support/SceneBuilder.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace {
// Remembers whom its body touched, and can make a collider non-solid or detach every observer on a touch.
class TouchLog final : public IObserver {
public:
    void onNotify(std::shared_ptr<BoxCollisionComponent> other) override {
        touched.push_back(other->body->owner->name);
        if (switchOff) {
            switchOff->solid = false;
        }
        if (detachFrom) {
            detachFrom->detachAll();
        }
    }
    std::vector<std::string> touched;
    BoxCollisionComponent* switchOff = nullptr;
    ISubject* detachFrom = nullptr;
};

std::shared_ptr<TouchLog> listen(GameObject& object) {
    auto log = std::make_shared<TouchLog>();
    object.rigidBody->attach(log);
    return log;
}

TEST(CollisionTest, OverlapOnXGivesTheDocumentedImpulseAndCorrection) {
    SceneBuilder scene;
    auto a = scene.body("a", "player", {0, 0, 32, 32}, 1.0f);
    auto b = scene.body("b", "border", {30, 10, 32, 32}, INFINITE_MASS);
    a->rigidBody->velocity = {100, 0};
    scene.physics().update();

    ASSERT_EQ(scene.physics().manifolds.size(), 1u);
    const Manifold& contact = scene.physics().manifolds[0];
    EXPECT_EQ(contact.bodyA, a->rigidBody.get()) << "the earlier registered collider is A";
    EXPECT_FLOAT_EQ(contact.penetration, 2.0f);
    EXPECT_EQ(contact.normal, sf::Vector2f(-1, 0));
    EXPECT_EQ(a->rigidBody->velocity, sf::Vector2f(-100, 0));
    EXPECT_NEAR(a->getPosition().x, -1.9f, 1e-5);
    EXPECT_EQ(b->getPosition(), sf::Vector2f(30, 10));
}

TEST(CollisionTest, EqualOverlapsSeparateAlongYAndTouchingEdgesDoNothing) {
    SceneBuilder scene;
    auto a = scene.body("a", "player", {0, 0, 10, 10});
    auto b = scene.body("b", "egg", {5, 5, 10, 10});
    auto c = scene.body("c", "enemy1", {20, 0, 10, 10});
    auto d = scene.body("d", "enemy1", {30, 0, 10, 10});
    auto log = listen(*c);
    scene.physics().update();
    EXPECT_TRUE(log->touched.empty()) << "edges that only touch do not collide";
    ASSERT_TRUE(scene.physics().manifolds.empty()) << "eggs pass through the player";

    b->type = "enemy1";
    scene.physics().update();
    ASSERT_EQ(scene.physics().manifolds.size(), 1u);
    EXPECT_EQ(scene.physics().manifolds[0].normal, sf::Vector2f(0, -1));
}

TEST(CollisionTest, TwoMasslessOrTwoImmovableBodiesNeverBreakTheStep) {
    SceneBuilder scene;
    auto player = scene.body("player1", "player", {100, 100, 10, 10}, 0.0f);
    auto entrance = scene.body("entrance", "entrance", {105, 100, 10, 10}, 0.0f, false);
    auto goal = scene.body("goal", "goal", {300, 0, 10, 10}, INFINITE_MASS);
    auto wall = scene.body("wall", "borderOutside", {305, 0, 10, 10}, INFINITE_MASS);
    scene.physics().update();
    EXPECT_FALSE(scene.physics().playerInside) << "massless pairs do not even switch zones";
    EXPECT_EQ(scene.physics().manifolds.size(), 1u);
    EXPECT_EQ(goal->getPosition(), sf::Vector2f(300, 0));
    EXPECT_EQ(wall->getPosition(), sf::Vector2f(305, 0));
}

TEST(CollisionTest, ASeparatingContactDoesNotLeaveLaterContactsUnresolved) {
    SceneBuilder scene;
    auto dog = scene.body("dog", "enemy1", {0, 0, 16, 16});
    auto wallA = scene.body("wallA", "borderOutside", {14, 0, 16, 16}, INFINITE_MASS);
    auto player = scene.body("player1", "player", {100, 0, 16, 16});
    auto wallB = scene.body("wallB", "borderOutside", {114, 0, 16, 16}, INFINITE_MASS);
    dog->rigidBody->velocity = {-50, 0}; // already moving away from its wall
    player->rigidBody->velocity = {50, 0};
    scene.physics().update();
    ASSERT_EQ(scene.physics().manifolds.size(), 2u);
    EXPECT_EQ(dog->getPosition(), sf::Vector2f(0, 0)) << "the separating pair is left alone";
    EXPECT_LT(player->getPosition().x, 100.0f) << "the player is still pushed out of the wall";
    EXPECT_EQ(player->rigidBody->velocity, sf::Vector2f(-50, 0));
}

TEST(CollisionTest, ObserversOfBothBodiesHearEveryTouchInPairOrder) {
    SceneBuilder scene;
    auto player = scene.body("player1", "player", {0, 0, 10, 10});
    auto goal = scene.body("goal", "goal", {5, 0, 10, 10}, INFINITE_MASS);
    auto dog = scene.body("dog", "enemy1", {5, 5, 10, 10});
    auto playerLog = listen(*player);
    auto goalLog = listen(*goal);
    scene.physics().update();
    EXPECT_EQ(playerLog->touched, (std::vector<std::string>{"goal", "dog"}));
    EXPECT_EQ(goalLog->touched, (std::vector<std::string>{"player1", "dog"}));
    EXPECT_EQ(goal->getPosition(), sf::Vector2f(5, 0)) << "the goal never bounces anyone";
    EXPECT_EQ(scene.physics().manifolds.size(), 2u) << "player-dog and goal-dog";
}

// The player's observer makes the dog non-solid; the egg's first observer detaches every observer of the egg.
TEST(CollisionTest, WhatObserversChangeMidStepCountsForTheRestOfTheStep) {
    SceneBuilder scene;
    auto player = scene.body("player1", "player", {0, 0, 10, 10});
    auto dog = scene.body("dog", "enemy1", {5, 0, 10, 10});
    auto egg = scene.body("egg", "egg", {5, 5, 10, 10});
    auto playerLog = listen(*player);
    playerLog->switchOff = dog->colliders[0].get();
    auto dogLog = listen(*dog);
    auto eggLog = listen(*egg);
    eggLog->detachFrom = egg->rigidBody.get();
    auto unheard = listen(*egg);
    scene.physics().update();
    EXPECT_EQ(playerLog->touched, (std::vector<std::string>{"dog", "egg"}));
    EXPECT_EQ(dogLog->touched, (std::vector<std::string>{"player1"})) << "no dog-egg: the dog went non-solid";
    EXPECT_EQ(eggLog->touched, (std::vector<std::string>{"player1"}));
    EXPECT_TRUE(unheard->touched.empty() && egg->rigidBody->observers.empty());
    auto later = listen(*egg);
    scene.physics().update();
    EXPECT_EQ(later->touched, (std::vector<std::string>{"player1"})) << "the egg's observers may start anew";
}

TEST(ZoneTest, TheEntranceSwitchesTheWorldOnceAndTheExitSwitchesItBack) {
    SceneBuilder scene;
    auto player = scene.body("player1", "player", {0, 0, 10, 10});
    auto entrance = scene.body("entrance", "entrance", {5, 0, 10, 10}, INFINITE_MASS, false);
    auto inner = scene.body("inner", "border", {500, 0, 10, 10}, INFINITE_MASS, false);
    auto outer = scene.body("outer", "borderOutside", {600, 0, 10, 10}, INFINITE_MASS, true);
    auto formula = scene.body("formula", "formula", {700, 0, 10, 10}, INFINITE_MASS, false, true);
    formula->getComponent<RenderComponent>()->visible = false;
    auto outsideDog = scene.body("enemy1", "enemy1", {800, 0, 10, 10}, 1.0f, true, true);
    auto insideDog = scene.body("enemy2", "enemy2", {900, 0, 10, 10}, 1.0f, false, true);
    insideDog->getComponent<RenderComponent>()->visible = false;
    auto exit = scene.body("exit", "exit", {0, 300, 10, 10}, INFINITE_MASS, false);

    // Whether an object is solid and whether it is shown.
    const auto state = [](const GameObject& object) {
        return std::make_pair(bool(object.colliders[0]->solid),
                              object.getComponent<RenderComponent>()->visible);
    };
    for (const bool inside : {true, false}) {
        SCOPED_TRACE(inside ? "on the entrance" : "on the exit");
        player->setPosition(0, inside ? 0 : 300);
        for (int frame = 0; frame < 5; ++frame) {
            scene.physics().update();
        }
        EXPECT_EQ(scene.physics().playerInside, inside);
        EXPECT_EQ(inner->colliders[0]->solid, inside);
        EXPECT_EQ(outer->colliders[0]->solid, !inside);
        EXPECT_EQ(state(*formula), std::make_pair(inside, inside));
        EXPECT_EQ(state(*insideDog), std::make_pair(inside, inside));
        EXPECT_EQ(state(*outsideDog), std::make_pair(!inside, !inside));
    }
}
} // namespace
