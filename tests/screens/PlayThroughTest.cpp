#include "assets/AssetManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "hud/RunClock.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/StaticCmp.hpp"
#include "screens/EndScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/LevelListScreen.hpp"
#include "screens/StartScreen.hpp"
#include "storage/GhostFile.hpp"
#include "storage/LevelCatalog.hpp"
#include "storage/RecordsFile.hpp"
#include "storage/Settings.hpp"
#include "support/GameHarness.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

// The real levels played in-process, frame by frame at 1/60 s, with scripted keys.
namespace {

// A careful way through a shipped level, from tests/screens/routes/<levelId>.route: one step a line,
// "walk x y [x y...]" (one axis at a time, to each point in turn), "wait frames" (for a dog to pass),
// "lay" and "shoot" (the keys bound to them), "#" to the end of a line a comment.
struct Step {
    std::string action;
    std::vector<float> numbers;
};

std::vector<Step> routeOf(const std::string& levelId) {
    const std::string path =
        std::string(PELLOWICK_SOURCE_DIR) + "/tests/screens/routes/" + levelId + ".route";
    std::istringstream lines(readWholeFile(path));
    std::vector<Step> steps;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line.substr(0, line.find('#')));
        Step step;
        if (!(fields >> step.action)) {
            continue;
        }
        for (float number = 0; fields >> number;) {
            step.numbers.push_back(number);
        }
        steps.push_back(step);
    }
    EXPECT_FALSE(steps.empty()) << path;
    return steps;
}

class PlayThroughTest : public ::testing::Test {
protected:
    static std::shared_ptr<GameObject> object(const std::string& name) { return GameHarness::object(name); }
    bool levelOver() const { return harness.screen<IngameScreen>() == nullptr; }

    // From the menu's level list.
    void startLevel(const std::string& map) {
        if (harness.screen<IngameScreen>()) {
            harness.leaveForTheMenu();
        }
        LevelListScreen* list = harness.openList();
        ASSERT_NE(list, nullptr);
        std::size_t index = 0;
        while (index < list->catalog->size() && list->catalog->path(index) != map) {
            ++index;
        }
        ASSERT_LT(index, list->catalog->size()) << map;
        ASSERT_TRUE(harness.clickOn(list->entryButtons[harness.rowOf(*list, index)]));
        ASSERT_TRUE(harness.startPlay()) << map;
        EXPECT_EQ(GameStateManager::getInstance()->mapPath, map);
    }

    // Takes one step of a route; false when the player was caught on the way.
    bool take(const Step& step) {
        if (step.action == "walk") {
            for (std::size_t i = 0; i + 1 < step.numbers.size(); i += 2) {
                harness.walkTo({step.numbers[i], step.numbers[i + 1]});
                if (levelOver() && !GameStateManager::getInstance()->won) {
                    ADD_FAILURE() << "caught on the way to " << step.numbers[i] << ", "
                                  << step.numbers[i + 1];
                    return false;
                }
            }
        } else if (step.action == "wait" && !step.numbers.empty()) {
            harness.frames(static_cast<int>(step.numbers[0]));
        } else if (step.action == "lay" || step.action == "shoot") {
            harness.holdFor(
                GameStateManager::getInstance()->settings.key(step.action == "lay" ? "LAY" : "SHOOT"), 1);
            harness.frames(1);
        } else {
            ADD_FAILURE() << "no such step: " << step.action;
            return false;
        }
        return true;
    }

    // Walks the route from where the player stands; true when it wins the level, having been inside.
    bool play(const std::vector<Step>& route) {
        GameStateManager* game = GameStateManager::getInstance();
        bool wasInside = false;
        for (const Step& step : route) {
            if (!take(step)) {
                return false;
            }
            wasInside = wasInside || (!levelOver() && PhysicsManager::getInstance()->playerInside);
            if (!levelOver()) {
                EXPECT_EQ(harness.screen<IngameScreen>()->goalLine->getText(),
                          game->hasFormula ? "Bring it to the goal" : "Find the formula");
            }
        }
        harness.frames(2);
        EXPECT_TRUE(wasInside);
        return game->won && harness.screen<EndScreen>() != nullptr;
    }

    GameHarness harness;
};

// The line the end screen shows under the won picture.
std::string endScreenLine(const GameHarness& harness) {
    const EndScreen* end = harness.screen<EndScreen>();
    return end && end->timeLine ? end->timeLine->getText() : "no end screen";
}

// One test per shipped level, so that they run side by side; the game is not drawn, which leaves the rules
// as they are and makes a minute of play take a second or two.
class ShippedLevelPlayThroughTest : public PlayThroughTest,
                                    public ::testing::WithParamInterface<std::size_t> {
protected:
    void SetUp() override {
        harness.game->setDrawing(false);
        GameStateManager::getInstance()->settings.openAllLevels = true;
    }
    static std::string map() { return LevelCatalog::shippedLevels().at(GetParam()); }
    static std::string levelId() { return LevelCatalog::shippedLevelIds().at(GetParam()); }
};

TEST_P(ShippedLevelPlayThroughTest, ACarefulRouteWinsItAtEveryDifficulty) {
    GameStateManager* game = GameStateManager::getInstance();
    const std::vector<Step> route = routeOf(levelId());
    // Hard dogs see farther and run faster, but the careful route still gets through.
    for (const Difficulty difficulty : Difficulties::all()) {
        SCOPED_TRACE(map() + " " + Difficulties::nameOf(difficulty));
        game->settings.difficulty = difficulty;
        startLevel(map());
        ASSERT_TRUE(play(route));
        // Each difficulty keeps records of its own: the first win at each is a best.
        EXPECT_NE(endScreenLine(harness).find(" on " + Difficulties::titleOf(difficulty) + "   New best"),
                  std::string::npos)
            << endScreenLine(harness);
        harness.press(sf::Keyboard::Space);
    }
}

INSTANTIATE_TEST_SUITE_P(, ShippedLevelPlayThroughTest,
                         ::testing::Range<std::size_t>(0, LevelCatalog::shippedLevels().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             std::string name = LevelCatalog::shippedLevelIds().at(info.param);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST_F(PlayThroughTest, AWinIsRecordedAndOnlyAFasterOneReplacesTheBestTimeAndItsGhost) {
    harness.game->setDrawing(false);
    GameStateManager::getInstance()->settings.openAllLevels = true;
    const std::string map = "Assets/level2.tmx";
    const std::vector<Step> route = routeOf("hen-run");
    RecordsFile records(harness.recordsFile());
    const std::string key = RecordsFile::levelKey(map);
    const GhostFile ghosts(harness.ghostsFolder());
    const auto ghostSamples = [&] {
        const auto ghost = ghosts.load(key, Difficulty::Normal);
        return ghost ? ghost->size() : 0u;
    };
    const auto winAfterWaiting = [&](int frames) {
        startLevel(map);
        harness.frames(frames); // nothing sees the player at the start
        EXPECT_TRUE(play(route));
        const std::string line = endScreenLine(harness);
        harness.press(sf::Keyboard::Space);
        return line;
    };

    const std::string first = winAfterWaiting(120);
    const auto firstRecord = records.find(key, Difficulty::Normal);
    ASSERT_TRUE(firstRecord);
    EXPECT_EQ(first, "Time " + RunClock::format(firstRecord->bestSeconds) + " on Normal   New best");
    const std::size_t firstGhost = ghostSamples();
    EXPECT_NEAR(static_cast<double>(firstGhost), firstRecord->bestSeconds * GhostRun::kSamplesPerSecond, 2.0);

    const std::string slower = winAfterWaiting(180);
    EXPECT_EQ(slower.find("New best"), std::string::npos) << slower;
    EXPECT_EQ(ghostSamples(), firstGhost) << "the slower run leaves the ghost as it was";

    const std::string faster = winAfterWaiting(0);
    EXPECT_NE(faster.find("New best"), std::string::npos) << faster;
    EXPECT_NEAR(records.find(key, Difficulty::Normal)->bestSeconds, firstRecord->bestSeconds - 2.0, 0.05);
    EXPECT_EQ(records.find(key, Difficulty::Normal)->wins, 3) << "every win counts";
    EXPECT_NEAR(static_cast<double>(ghostSamples()),
                static_cast<double>(firstGhost) - 2.0 * GhostRun::kSamplesPerSecond, 2.0)
        << "the faster run is the new ghost";
    // The next attempt races it.
    startLevel(map);
    ASSERT_TRUE(harness.screen<IngameScreen>()->ghost);
    EXPECT_EQ(harness.screen<IngameScreen>()->ghost->size(), ghostSamples());
}

TEST_F(PlayThroughTest, InAWideWindowAShotEggFliesTowardsThePointerAndDrawsADogAway) {
    ASSERT_TRUE(harness.startLevel()) << "the menu's Start opens the first level";
    harness.resize({1600, 900});
    // Pick up egg1 at the start and walk near the dog that patrols above the path.
    harness.walkTo({100, 956});
    ASSERT_EQ(object("player1")->getComponent<LayEggComponent>()->eggStock.size(), 1u);
    harness.frames(1);
    EXPECT_EQ(harness.screen<IngameScreen>()->eggCounter->getText(), "1x");
    harness.holdFor(sf::Keyboard::E, 1);
    harness.frames(70); // arming takes a second

    // The pixel drawn for a world point, worked out by hand: the 320x320 view fills the 1200x900 picture
    // between bars 200 pixels wide.
    const sf::View& view = object("camera")->getComponent<CameraComponent>()->view;
    const sf::Vector2f corner = view.getCenter() - view.getSize() / 2.0f;
    const sf::Vector2f aim = object("egg1")->getPosition() + sf::Vector2f(80, -8);
    const sf::Vector2i pixel(static_cast<int>(200 + (aim.x - corner.x) * 1200 / 320),
                             static_cast<int>((aim.y - corner.y) * 900 / 320));
    RealtimeInput::setMousePosition(pixel);
    harness.frames(1); // the pointer is read as the frame is drawn
    const sf::Vector2f from = object("egg1")->getPosition();
    harness.holdMouse();
    harness.frames(2);
    harness.holdMouse(false);
    harness.frames(10);
    ASSERT_TRUE(object("egg1")->getComponent<EggComponent>()->flying);
    const sf::Vector2i target = GameObjectManager::getInstance()->mouseWorldPosition;
    EXPECT_NEAR(target.x, aim.x, 2.0f);
    EXPECT_NEAR(target.y, aim.y, 2.0f);
    const sf::Vector2f flown = object("egg1")->getPosition() - from;
    const sf::Vector2f wanted = aim - from;
    EXPECT_NEAR(std::atan2(flown.y, flown.x), std::atan2(wanted.y, wanted.x), 0.05f);

    auto dog = object("enemy1"); // patrols x 200, y 800 to 980
    ASSERT_TRUE(harness.framesUntil([&] { return !dog->getComponent<EnemyMovement>()->atHome; }, 120))
        << "the dog runs at the egg";
    harness.frames(1);
    EXPECT_EQ(harness.screen<IngameScreen>()->chaseMarks.eggChasesLastFrame(), 1u)
        << "the egg's mark over the dog running after it";
    const sf::Image angry = AssetManager::getInstance()->getTexture("dogAngry").copyToImage();
    const sf::Image shown = dog->getComponent<StaticCmp>()->texture.copyToImage();
    EXPECT_EQ(std::vector<sf::Uint8>(shown.getPixelsPtr(), shown.getPixelsPtr() + 16 * 16 * 4),
              std::vector<sf::Uint8>(angry.getPixelsPtr(), angry.getPixelsPtr() + 16 * 16 * 4));
    EXPECT_TRUE(object("player1")->getComponent<DeathComponent>()->alive);
    harness.framesUntil([&] { return !dog->getComponent<EnemyMovement>()->isChasing(); }, 60 * 8);
    harness.frames(1);
    EXPECT_EQ(harness.screen<IngameScreen>()->chaseMarks.eggChasesLastFrame(), 0u) << "gone when it gives up";
}
} // namespace
