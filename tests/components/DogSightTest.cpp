#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/SightArea.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "support/SceneBuilder.hpp"

#include <cmath>
#include <gtest/gtest.h>

// What a dog notices, against the area drawn for it, and how it hunts on a level whose walls block sight.
namespace {
const sf::Vector2f kPlayerSize{14, 14};
const sf::Vector2f kDogSize{16, 16};

class DogSightTest : public ::testing::Test {
protected:
    std::shared_ptr<GameObject> dog(const std::string& type, sf::Vector2f at, double sight = 0.0) {
        auto object = scene.body("enemy1", type, {at.x, at.y, kDogSize.x, kDogSize.y}, 1.0f, true, true);
        std::optional<EnemyMovement::Tuning> tuning;
        if (sight > 0.0) {
            tuning = EnemyMovement::standardTuning(type);
            tuning->sightRange = sight;
            tuning->patrolSpeed = 0.0f;
        }
        object->addComponent(
            std::make_shared<EnemyMovement>(object.get(), nullptr, "horizontal", 0.0f, 0.0f, true, tuning));
        return object;
    }
    std::shared_ptr<GameObject> player(sf::Vector2f at) {
        return scene.body("player1", "player", {at.x, at.y, kPlayerSize.x, kPlayerSize.y});
    }
    void wall(const std::string& name, sf::FloatRect box) {
        scene.body(name, "borderOutside", box, INFINITE_MASS, true);
    }
    // Walls block sight on a 16-pixel grid of `cells`, built from the walls placed so far.
    void blockSight(sf::Vector2i cells) { scene.physics().blockSightWithWalls(cells, {16, 16}); }
    // More than the half pixel the dogs' walking test allows.
    static bool overlapsAWall(const GameObject& object) {
        const NavGrid* grid = PhysicsManager::getInstance()->sightWalls();
        return !grid->boxIsFree(
            {object.getPosition() + sf::Vector2f(0.6f, 0.6f), kDogSize - sf::Vector2f(1.2f, 1.2f)});
    }

    SceneBuilder scene;
};

TEST_F(DogSightTest, TheDrawnAreaIsWhereThePlayersBodyIsNoticedForEachDogAndDifficulty) {
    auto hero = player({0, 0});
    for (const char* type : {"enemy1", "enemy2"}) {
        for (const Difficulty level : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard}) {
            SCOPED_TRACE(std::string(type) + " " + Difficulties::nameOf(level));
            auto hound = dog(type, {500, 500});
            auto movement = hound->getComponent<EnemyMovement>();
            movement->setDifficulty(level);
            const SightArea area(hound->getPosition(), kPlayerSize, movement->noticeDistance());
            // Straight out, along a diagonal and a steep slant, a pixel inside the edge and a pixel outside.
            for (const sf::Vector2f direction : {sf::Vector2f(1, 0), sf::Vector2f(0, -1),
                                                 sf::Vector2f(-0.5f, 0.5f), sf::Vector2f(0.2f, 0.8f)}) {
                for (const float gap : {-1.0f, 1.0f}) {
                    const sf::Vector2f centre = area.centre() + direction * (area.radius() + gap);
                    hound->setPosition(500, 500);
                    hero->setPosition(centre - kPlayerSize / 2.0f);
                    hound->update(0.0f);
                    EXPECT_EQ(area.contains(centre), gap < 0);
                    EXPECT_EQ(movement->isChasing(), gap < 0)
                        << direction.x << ", " << direction.y << " " << gap;
                }
            }
            // Half again as far, unnoticed, the dog is wary; farther still it is not.
            hero->setPosition(area.centre() + sf::Vector2f(area.radius() * 1.4f, 0) - kPlayerSize / 2.0f);
            hound->update(0.0f);
            EXPECT_TRUE(movement->isWary() && !movement->isChasing());
            hero->setPosition(area.centre() + sf::Vector2f(area.radius() * 1.6f, 0) - kPlayerSize / 2.0f);
            hound->update(0.0f);
            EXPECT_FALSE(movement->isWary());
        }
    }
}

TEST_F(DogSightTest, AWallHidesThePlayerAndAFlyingEggOnlyWhereTheRuleIsOn) {
    auto hound = dog("enemy1", {100, 100});
    auto hero = player({160, 100}); // 60 away: well inside 75
    auto egg = scene.body("egg1", "egg", {100, 190, 8, 8});
    auto flight = std::make_shared<EggComponent>(egg.get());
    egg->addComponent(flight);
    wall("wall1", {128, 64, 16, 96});  // between the dog and the player
    wall("wall2", {64, 160, 112, 16}); // between the dog and the egg
    auto movement = hound->getComponent<EnemyMovement>();
    for (const bool rule : {false, true}) {
        SCOPED_TRACE(rule ? "walls block sight" : "classic");
        if (rule) {
            blockSight({20, 20});
        }
        hound->setPosition(100, 100);
        hound->update(0.0f);
        EXPECT_EQ(movement->isChasing(), !rule) << "the player behind the wall";
        hero->setPosition(1000, 1000);
        flight->laid = flight->flying = true;
        hound->setPosition(100, 100);
        hound->update(0.0f);
        EXPECT_EQ(movement->isChasing(), !rule) << "the egg behind the wall";
        flight->laid = flight->flying = false;
        hero->setPosition(160, 100);
        hound->update(0.0f);
    }
}

TEST_F(DogSightTest, ADogRunsAroundAUShapedWallToThePlayerWithoutPushingIntoIt) {
    // A cup open at the top: the dog stands inside and sees the player past the tip of its right arm.
    wall("left", {64, 96, 16, 80});
    wall("right", {160, 96, 16, 80});
    wall("bottom", {64, 160, 112, 16});
    blockSight({20, 20});
    auto hound = dog("enemy1", {112, 128}, 400.0);
    auto hero = player({193, 49});
    auto movement = hound->getComponent<EnemyMovement>();
    bool reached = false;
    for (int frame = 0; frame < 600 && !reached; ++frame) {
        hound->update(1.0f / 60.0f);
        ASSERT_FALSE(overlapsAWall(*hound)) << "frame " << frame;
        const sf::Vector2f gap = hound->getPosition() - hero->getPosition();
        reached = std::abs(gap.x) < 8 && std::abs(gap.y) < 8;
    }
    EXPECT_TRUE(reached) << hound->getPosition().x << ", " << hound->getPosition().y;
    EXPECT_GE(movement->route().plansMade(), 1u) << "it planned a way, not a straight run";
}

TEST_F(DogSightTest, ALostPlayerIsLookedForWhereLastSeenThenTheDogWalksHomeAroundTheWall) {
    wall("wall", {160, 0, 16, 160}); // a wall with a way round below it
    blockSight({20, 12});
    auto hound = dog("enemy1", {96, 32});
    auto movement = hound->getComponent<EnemyMovement>();
    hound->setPosition(224, 32); // drawn off to the far side of the wall
    auto hero = player({224, 96});
    hound->update(1.0f / 60.0f);
    ASSERT_TRUE(movement->isChasing());
    const sf::Vector2f seen = hero->getPosition();
    hero->setPosition(96, 96); // behind the wall
    hound->update(1.0f / 60.0f);
    EXPECT_EQ(movement->search(), EnemyMovement::Search::GoingToLastSeen);
    EXPECT_TRUE(movement->isWary() && !movement->isChasing()) << "a \"?\", not a \"!\"";
    hero->setPosition(1000, 1000);
    int frames = 0;
    for (; frames < 600 && movement->search() != EnemyMovement::Search::Waiting; ++frames) {
        hound->update(1.0f / 60.0f);
    }
    ASSERT_EQ(movement->search(), EnemyMovement::Search::Waiting);
    EXPECT_LT(std::abs(hound->getPosition().x - seen.x) + std::abs(hound->getPosition().y - seen.y), 1.0f);
    const sf::Vector2f waitingAt = hound->getPosition();
    for (int frame = 0; frame < 100; ++frame) {
        hound->update(1.0f / 60.0f);
    }
    EXPECT_EQ(movement->search(), EnemyMovement::Search::GoingHome) << "after waiting a moment";
    EXPECT_NE(hound->getPosition(), waitingAt);
    for (frames = 0; frames < 1200 && !movement->atHome; ++frames) {
        hound->update(1.0f / 60.0f);
        ASSERT_FALSE(overlapsAWall(*hound));
    }
    EXPECT_TRUE(movement->atHome) << hound->getPosition().x << ", " << hound->getPosition().y;
    EXPECT_EQ(movement->search(), EnemyMovement::Search::None);
}

TEST_F(DogSightTest, APlayerSeenThroughASlitTooNarrowToPassIsGivenUpWithoutASearch) {
    // A cage on a map of a million cells, with a slit in its west wall that the dog sees through.
    wall("north", {160, 48, 96, 16});
    wall("south", {160, 144, 96, 16});
    wall("east", {240, 64, 16, 80});
    wall("upper", {160, 64, 16, 36});
    wall("lower", {160, 106, 16, 38});
    blockSight({1000, 1000});
    auto hound = dog("enemy1", {96, 96}, 300.0);
    auto hero = player({216, 96});
    auto movement = hound->getComponent<EnemyMovement>();
    for (int frame = 0; frame < 120; ++frame) {
        hound->update(1.0f / 60.0f);
    }
    EXPECT_TRUE(movement->canSee({223, 103}));
    EXPECT_LE(movement->route().plansMade(), 1u) << "a still target is not planned for again";
    // Pacing along the slit's line of sight, from cell to cell, the player stays in view and out of reach.
    for (int frame = 0; frame < 240; ++frame) {
        hero->setPosition(178.0f + static_cast<float>(std::abs(frame % 92 - 46)), 96.0f);
        hound->update(1.0f / 60.0f);
        ASSERT_TRUE(movement->canSee(hero->getPosition() + kPlayerSize / 2.0f)) << frame;
        ASSERT_FALSE(movement->isChasing()) << frame;
    }
    EXPECT_EQ(hound->getPosition(), sf::Vector2f(96, 96)) << "it stays on its beat";
    EXPECT_GE(movement->route().plansMade(), 5u) << "the player changed cells";
    EXPECT_EQ(movement->route().nodesExpanded(), 0u) << "the cage is known closed without a search";
}

TEST_F(DogSightTest, SwitchingBetweenOutsideAndInsideRebuildsTheGrid) {
    scene.body("inner", "border", {32, 0, 16, 64}, INFINITE_MASS, false);
    wall("outer", {96, 0, 16, 64});
    blockSight({10, 4});
    const NavGrid* grid = scene.physics().sightWalls();
    const std::size_t before = grid->version();
    EXPECT_TRUE(grid->blocked({6, 1}) && !grid->blocked({2, 1}));
    EXPECT_FALSE(grid->lineIsClear({8, 8}, {150, 8}));
    scene.physics().toggleBorders();
    EXPECT_TRUE(!grid->blocked({6, 1}) && grid->blocked({2, 1}));
    EXPECT_NE(grid->version(), before);
    EXPECT_TRUE(grid->lineIsClear({64, 8}, {150, 8}));
}
} // namespace
