#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "screens/EndScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/LevelListScreen.hpp"
#include "screens/StartScreen.hpp"
#include "storage/LevelCatalog.hpp"
#include "storage/Settings.hpp"
#include "support/GameHarness.hpp"
#include "ui/Button.hpp"

#include <functional>
#include <gtest/gtest.h>

// The practice yard's lessons played from the menu, frame by frame at 1/60 s, with scripted keys: each is
// won by a careful route at every difficulty, and each needs what it teaches.
namespace {
class LessonPlayTest : public testing::Test {
protected:
    // Undrawn, as the shipped levels' play-throughs: the rules stay as they are and play takes a fraction of
    // the time. The decoy's winning runs draw, for the egg's mark is worked out as the frame is drawn.
    void SetUp() override { harness.game->setDrawing(false); }
    static std::shared_ptr<GameObject> object(const std::string& name) { return GameHarness::object(name); }
    bool playing() const { return harness.screen<IngameScreen>() != nullptr; }
    bool caught() const { return !playing() && !GameStateManager::getInstance()->won; }

    // From the menu's Practice, lesson `number` (1 to 4).
    void startLesson(std::size_t number) {
        ASSERT_NE(harness.screen<StartScreen>(), nullptr);
        ASSERT_TRUE(harness.clickOn(harness.screen<StartScreen>()->gui.get("practice")));
        chooseLesson(number);
    }
    void chooseLesson(std::size_t number) {
        LevelListScreen* list = harness.screen<LevelListScreen>();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(list->practice);
        harness.waitForPage(*list);
        ASSERT_TRUE(harness.clickOn(list->entryButtons[number - 1]));
        ASSERT_TRUE(playing());
        ASSERT_EQ(GameStateManager::getInstance()->mapPath, LevelCatalog::lessons()[number - 1]);
    }

    // Walks to each point in turn, along one axis at a time; false once caught on the way.
    bool walk(const std::vector<sf::Vector2f>& points) {
        for (const sf::Vector2f target : points) {
            harness.walkTo(target, [&] { seeDog(); });
            if (caught()) {
                return false;
            }
        }
        return true;
    }
    // At most `longest` frames.
    void waitUntil(const std::function<bool()>& ready, int longest = 60 * 30) {
        harness.framesUntil(
            [&] {
                seeDog();
                return !playing() || ready();
            },
            longest);
    }
    // What the player saw of the lesson's dog on the way.
    void seeDog() {
        const auto dog = playing() ? GameObjectManager::getInstance()->findGameObject("enemy1") : nullptr;
        const auto movement = dog ? dog->getComponent<EnemyMovement>() : nullptr;
        if (movement) {
            sawWarning = sawWarning || movement->isWary();
            sawEggChase =
                sawEggChase || (movement->isChasingEgg() &&
                                harness.screen<IngameScreen>()->chaseMarks.eggChasesLastFrame() == 1);
        }
    }

    // Every lesson at every difficulty, from the menu.
    void playAtEveryDifficulty(std::size_t number, const std::function<bool()>& route) {
        for (const Difficulty difficulty : Difficulties::all()) {
            SCOPED_TRACE("lesson " + std::to_string(number) + " on " + Difficulties::nameOf(difficulty));
            GameStateManager::getInstance()->settings.difficulty = difficulty;
            sawWarning = sawEggChase = false;
            startLesson(number);
            ASSERT_TRUE(route());
            harness.frames(2);
            ASSERT_NE(harness.screen<EndScreen>(), nullptr);
            EXPECT_TRUE(GameStateManager::getInstance()->won);
            harness.press(sf::Keyboard::Space);
        }
    }

    // Lesson 3 as far as through the gap, with the egg shot or not. The egg is laid where its flight
    // passes the dog at two thirds of the distance a flying egg draws it from, at any difficulty: far
    // enough that the dog runs after it rather than meeting it.
    bool decoy(bool shoot) {
        const auto guard = object("enemy1");
        const sf::Vector2f post = guard->getPosition();
        const auto reach = static_cast<float>(guard->getComponent<EnemyMovement>()->eggNoticeDistance());
        const sf::Vector2f laid(post.x - reach * 0.68f, std::min(228.0f, post.y + reach * 0.32f + 40.0f));
        if (!walk({{laid.x, 228}, {laid.x, laid.y}})) {
            return false;
        }
        EXPECT_EQ(object("player1")->getComponent<LayEggComponent>()->eggStock.size(), 1u);
        // The hint names the key bound now, and follows a new binding at once.
        const HintPanel& hint = harness.screen<IngameScreen>()->hintPanel;
        EXPECT_NE(hint.shownText().find("Lay the egg here with E,"), std::string::npos) << hint.shownText();
        Settings& settings = GameStateManager::getInstance()->settings;
        settings.keys["LAY"] = sf::Keyboard::K;
        harness.frames(1);
        EXPECT_NE(hint.shownText().find("Lay the egg here with K,"), std::string::npos) << hint.shownText();
        settings.keys["LAY"] = sf::Keyboard::E;
        harness.press(sf::Keyboard::E);
        if (!walk({{laid.x, 246}, {200, 246}})) {
            return false;
        }
        harness.holdFor(sf::Keyboard::W, 1); // the shot flies the way the player last moved
        if (shoot) {
            harness.press(sf::Keyboard::Space);
            EXPECT_TRUE(object("egg1")->getComponent<EggComponent>()->flying);
        }
        // Until the guard has run up the hedge after the egg, or for five seconds.
        waitUntil([&] { return guard->getPosition().y < post.y - 14.0f; }, 300);
        return walk({{200, 154}, {262, 154}});
    }

    GameHarness harness;
    bool sawWarning = false;
    bool sawEggChase = false;
};

TEST_F(LessonPlayTest, FirstStepsGoesInAndOutAndTheCardHoldsTheStart) {
    // Practice is reached by keys like every button of the menu: the one under Start.
    harness.tap(sf::Keyboard::Down);
    harness.frames(2);
    harness.tap(sf::Keyboard::Return);
    harness.frames(2);
    chooseLesson(1);
    IngameScreen* level = harness.screen<IngameScreen>();
    ASSERT_TRUE(level->titleCard.shown());
    EXPECT_EQ(level->titleCard.lines().front(), "Lesson 1: First steps");
    const sf::Vector2f start = object("player1")->getPosition();
    harness.frames(120);
    EXPECT_TRUE(level->titleCard.shown()) << "the level waits under the card";
    EXPECT_EQ(level->clockText->getText(), "0:00.0");
    EXPECT_EQ(level->hintPanel.shownText(), "") << "no hint over the card";
    harness.holdFor(sf::Keyboard::D, 1);
    EXPECT_FALSE(level->titleCard.shown()) << "the first move starts play";
    EXPECT_GT(object("player1")->getPosition().x, start.x) << "and moves the player at once";
    harness.frames(1);
    EXPECT_EQ(level->hintPanel.shownText(), "Move with W A S D. Follow the path to the farmhouse.");

    const auto route = [&] {
        const bool through = walk({{264, 280}, {264, 190}});
        EXPECT_TRUE(PhysicsManager::getInstance()->playerInside) << "in by the front door";
        return through && walk({{264, 140}, {226, 140}, {264, 140}, {264, 80}, {264, 56}, {404, 56}});
    };
    ASSERT_TRUE(route());
    harness.frames(2);
    ASSERT_NE(harness.screen<EndScreen>(), nullptr);
    ASSERT_TRUE(harness.screen<EndScreen>()->nextCard) << "a won lesson offers the next";
    harness.press(sf::Keyboard::Return);
    ASSERT_TRUE(playing());
    EXPECT_EQ(harness.screen<IngameScreen>()->titleCard.lines().front(), "Lesson 2: The dog's eye");
    harness.leaveForTheMenu();

    playAtEveryDifficulty(1, route);
}

TEST_F(LessonPlayTest, TheDogsEyeIsPassedJustOutsideItsEdge) {
    playAtEveryDifficulty(2, [&] {
        const bool passed = walk({{24, 242}, {406, 242}});
        // The way runs along the edge of the dog's sight: it warns the player at the normal and the hard
        // game, whose dogs see farther.
        EXPECT_EQ(sawWarning, GameStateManager::getInstance()->settings.difficulty != Difficulty::Easy);
        return passed &&
               walk({{456, 242}, {456, 300}, {490, 300}, {456, 300}, {456, 180}, {456, 56}, {488, 56}});
    });
}

TEST_F(LessonPlayTest, TheDecoyDrawsTheGuardFromTheDoorWithItsOwnMarkAndWithoutItTheGuardCatches) {
    for (const Difficulty difficulty : Difficulties::all()) {
        SCOPED_TRACE(Difficulties::nameOf(difficulty));
        GameStateManager::getInstance()->settings.difficulty = difficulty;
        startLesson(3);
        EXPECT_FALSE(decoy(false)) << "the guard sees the player in the gap";
        EXPECT_TRUE(caught());
        harness.press(sf::Keyboard::Space);
    }
    harness.game->setDrawing(true); // for the egg's mark
    playAtEveryDifficulty(3, [&] {
        const bool through = decoy(true);
        EXPECT_TRUE(sawEggChase) << "the egg's own mark over the dog";
        EXPECT_TRUE(PhysicsManager::getInstance()->playerInside) << "in by the door the dog guarded";
        return through && walk({{262, 186},
                                {354, 186},
                                {354, 104},
                                {340, 104},
                                {354, 104},
                                {354, 154},
                                {410, 154},
                                {484, 154}});
    });
}

TEST_F(LessonPlayTest, BehindTheFenceTheDogWalksPastAHiddenPlayer) {
    playAtEveryDifficulty(4, [&] {
        if (!walk({{24, 150}, {400, 150}})) {
            return false;
        }
        const auto dog = object("enemy1");
        EXPECT_FALSE(dog->getComponent<EnemyMovement>()->isChasing()) << "hidden by the fence";
        // Out from behind the fence once the dog has turned back west and gone far enough.
        waitUntil(
            [&] { return dog->getComponent<EnemyMovement>()->reversing && dog->getPosition().x < 250; });
        return walk(
            {{488, 150}, {488, 100}, {488, 70}, {538, 70}, {538, 44}, {538, 56}, {594, 56}, {594, 146}});
    });
}

TEST_F(LessonPlayTest, AtHalfSpeedEverythingMovesAtHalfThePaceAndTheClockKeepsRealTime) {
    struct Moved {
        float player = 0.0f, dog = 0.0f, egg = 0.0f;
        bool armedEarly = false;
        std::string clock;
    };
    const auto playFor = [&](int speed) {
        GameStateManager::getInstance()->settings.gameSpeed = speed;
        Moved moved;
        // A second of walking from the start, while the dog of the second lesson patrols.
        startLesson(2);
        const sf::Vector2f start = object("player1")->getPosition();
        const sf::Vector2f dogStart = object("enemy1")->getPosition();
        harness.holdFor(sf::Keyboard::D, 60);
        moved.player = object("player1")->getPosition().x - start.x;
        moved.dog = object("enemy1")->getPosition().x - dogStart.x;
        moved.clock = harness.screen<IngameScreen>()->clockText->getText();
        harness.leaveForTheMenu();
        // The egg of the third lesson laid, armed from that moment, and shot down for a second.
        startLesson(3);
        walk({{80, 226}});
        object("egg1")->getComponent<EggComponent>()->armClock.restart();
        harness.press(sf::Keyboard::E);
        harness.frames(62);
        moved.armedEarly = object("egg1")->getComponent<EggComponent>()->ready;
        harness.frames(60);
        harness.holdFor(sf::Keyboard::S, 1); // the shot flies the way the player last moved
        // The egg flies the same way at half the pace: as far in twice the frames.
        const sf::Vector2f laid = object("egg1")->getPosition();
        harness.tap(sf::Keyboard::Space);
        harness.frames(30 * 100 / speed);
        moved.egg = object("egg1")->getPosition().y - laid.y;
        harness.leaveForTheMenu();
        return moved;
    };
    const Moved full = playFor(100);
    const Moved half = playFor(50);
    EXPECT_NEAR(half.player, full.player / 2.0f, 0.5f);
    EXPECT_NEAR(half.dog, full.dog / 2.0f, 0.5f);
    EXPECT_GT(full.egg, 25.0f);
    EXPECT_NEAR(half.egg, full.egg, 1.0f);
    EXPECT_TRUE(full.armedEarly);
    EXPECT_FALSE(half.armedEarly) << "arming takes a second of the level's time";
    EXPECT_EQ(half.clock, full.clock) << "the clock shows the time the player spent";
    EXPECT_EQ(full.clock, "0:01.0");
}
} // namespace
