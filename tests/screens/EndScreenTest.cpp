#include "screens/EndScreen.hpp"

#include "app/Letterbox.hpp"
#include "map/MapChecker.hpp"
#include "map/TileMap.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/LevelListScreen.hpp"
#include "screens/StartScreen.hpp"
#include "storage/LevelCatalog.hpp"
#include "storage/RecordsFile.hpp"
#include "storage/Settings.hpp"
#include "support/GameHarness.hpp"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

// The screen after a won level, reached by carrying the formula to the goal of the first level.
namespace {
class EndScreenTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(harness.startLevel()); }

    // True once the end screen shows.
    bool winTheLevel() {
        if (const IngameScreen* level = harness.screen<IngameScreen>(); level && level->titleCard.shown()) {
            harness.startPlay();
        }
        GameStateManager::getInstance()->hasFormula = true;
        GameHarness::object("player1")->setPosition(GameHarness::object("goal")->getPosition() +
                                                    sf::Vector2f(8.0f, 8.0f));
        return harness.framesUntil([&] { return harness.screen<EndScreen>() != nullptr; }, 10);
    }

    // The frame the end screen draws, with or without its time line, read back before it is shown.
    sf::Image drawn(bool withTimeLine) {
        EndScreen* end = harness.screen<EndScreen>();
        end->timeLine->setVisible(withTimeLine);
        harness.window().clear(sf::Color::Black);
        end->draw(harness.window());
        return harness.capture();
    }

    GameHarness harness;
};

struct Box {
    unsigned top = ~0u, bottom = 0, left = ~0u, right = 0;
    void take(unsigned x, unsigned y) {
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x),
        right = std::max(right, x);
    }
    bool empty() const { return bottom < top; }
};

// The lines of light text on the won picture's grass, as boxes from the top down.
std::vector<Box> pictureLines(const sf::Image& image, const sf::FloatRect& area) {
    std::vector<Box> lines;
    bool inLine = false;
    for (auto y = static_cast<unsigned>(area.top + area.height * 0.72f); y < area.top + area.height; ++y) {
        bool lit = false;
        for (auto x = static_cast<unsigned>(area.left); x < area.left + area.width; ++x) {
            const sf::Color c = image.getPixel(x, y);
            if (c.r > 200 && c.g > 200 && c.b > 140) {
                if (!inLine) {
                    lines.emplace_back();
                }
                lines.back().take(x, y);
                lit = inLine = true;
            }
        }
        inLine = lit;
    }
    return lines;
}

TEST_F(EndScreenTest, TheTimeLineSitsBetweenThePicturesLinesSaysWhatWasKeptAndOnlyANewPressLeaves) {
    GameStateManager* game = GameStateManager::getInstance();
    game->settings.difficulty = Difficulty::Hard;
    std::filesystem::create_directories(harness.recordsFile()); // a folder where the records go
    harness.frames(90);
    // Space shoots in the level, and R may be held too.
    harness.hold(sf::Keyboard::Space);
    harness.hold(sf::Keyboard::R);
    ASSERT_TRUE(winTheLevel());
    harness.frames(30);
    EXPECT_NE(harness.screen<EndScreen>(), nullptr) << "held keys neither leave nor restart";
    harness.hold(sf::Keyboard::R, false);
    harness.hold(sf::Keyboard::Space, false);
    harness.frames(2);
    ASSERT_NE(harness.screen<EndScreen>(), nullptr);
    const std::string line = harness.screen<EndScreen>()->timeLine->getText();
    EXPECT_EQ(line.rfind("Time 0:01.", 0), 0u) << line;
    EXPECT_NE(line.find(" on Hard (could not be saved)"), std::string::npos) << line;
    EXPECT_EQ(line.find("New best"), std::string::npos) << line;

    // The game's own window, and one as wide as a fullscreen one.
    for (const sf::Vector2u size : {sf::Vector2u(800, 600), sf::Vector2u(1600, 900)}) {
        SCOPED_TRACE(std::to_string(size.x) + "x" + std::to_string(size.y));
        harness.resize(size);
        ASSERT_EQ(harness.window().getSize(), size);
        const sf::Image without = drawn(false);
        const sf::Image with = drawn(true);
        Box time;
        for (unsigned y = 0; y < size.y; ++y) {
            for (unsigned x = 0; x < size.x; ++x) {
                if (with.getPixel(x, y) != without.getPixel(x, y)) {
                    time.take(x, y);
                }
            }
        }
        const sf::FloatRect area = Letterbox::pixelArea(size);
        const std::vector<Box> lines = pictureLines(without, area);
        ASSERT_EQ(lines.size(), 2u) << "\"You escaped with the formula.\" and \"Press Space...\"";
        ASSERT_FALSE(time.empty());
        EXPECT_GT(time.top, lines[0].bottom + 1) << "below the first line";
        EXPECT_LT(time.bottom + 1, lines[1].top) << "above \"Press Space to return to the menu\"";
        EXPECT_GE(time.left, area.left);
        EXPECT_LE(time.right, area.left + area.width);
    }
    // As a real key sends it: the press event and the key held.
    harness.game->queueEvent(keyPress(sf::Keyboard::Space));
    harness.press(sf::Keyboard::Space);
    harness.frames(3);
    EXPECT_NE(harness.screen<StartScreen>(), nullptr)
        << "a new press returns to the menu, and is spent there: the menu's Start does not take it";
}

// A map whose own properties are `properties`.
TileMap mapWith(const std::vector<std::pair<std::string, std::string>>& properties) {
    TileMap map;
    for (const auto& [name, value] : properties) {
        map.properties.push_back({name, value, 0});
    }
    return map;
}

std::optional<MedalTimes> medalsOf(const std::vector<std::pair<std::string, std::string>>& properties) {
    return MedalTimes::of(mapWith(properties));
}

TEST(MedalTest, EachLimitEarnsItsMedalAsTheClockShowsItAndNamesTheNext) {
    EXPECT_FALSE(medalsOf({}));
    EXPECT_FALSE(medalsOf({{"goldTime", "40"}, {"silverTime", "60"}})) << "all three or none";
    // The game keeps exactly the times the map checker lets through.
    struct Set {
        std::string gold, silver, bronze;
        bool kept;
    };
    const Set sets[] = {{" 52 ", "60\t", " 90", true}, {"40", "40.1", "90", true},
                        {"1", "2", "3", true},         {"40", "40.05", "90", false},
                        {"40", "40", "90", false},     {"0.01", "0.02", "0.03", false},
                        {"0.99", "2", "3", false},     {"40", "x", "90", false}};
    for (const Set& set : sets) {
        const TileMap map =
            mapWith({{"goldTime", set.gold}, {"silverTime", set.silver}, {"bronzeTime", set.bronze}});
        const std::vector<MapProblem> problems = MapChecker().check(map);
        const bool passes = std::none_of(problems.begin(), problems.end(), [](const MapProblem& problem) {
            return problem.subject.rfind("map property", 0) == 0;
        });
        EXPECT_EQ(passes, set.kept) << set.gold << " " << set.silver << " " << set.bronze;
        EXPECT_EQ(MedalTimes::of(map).has_value(), set.kept)
            << set.gold << " " << set.silver << " " << set.bronze;
    }
    EXPECT_EQ(medalsOf({{"goldTime", " 52 "}, {"silverTime", "60"}, {"bronzeTime", "90"}})->gold, 52.0);

    const std::optional<MedalTimes> times =
        medalsOf({{"bronzeTime", "90"}, {"goldTime", "40"}, {"silverTime", "60.5"}});
    ASSERT_TRUE(times);

    struct Case {
        double seconds;
        const char* medal;
        const char* next;
    };
    const Case cases[] = {
        {12.0, "Gold medal", "The best medal there is"},
        {40.09, "Gold medal", "The best medal there is"}, // shown as 0:40.0
        {40.1, "Silver medal", "0:40.0 or less for gold"},
        {60.5, "Silver medal", "0:40.0 or less for gold"},
        {60.6, "Bronze medal", "1:00.5 or less for silver"},
        {90.0, "Bronze medal", "1:00.5 or less for silver"},
        {90.1, "No medal", "1:30.0 or less for bronze"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EndScreen::medalTitle(*times, c.seconds), c.medal) << c.seconds;
        EXPECT_EQ(EndScreen::nextMedalText(*times, c.seconds), c.next) << c.seconds;
    }

    // The level list names the medal of each difficulty's best time, and none slower than bronze.
    LevelCatalog::Details details{"The Farmhouse", "", {}, times};
    details.records[Difficulty::Normal] = {55.0, 2};
    details.records[Difficulty::Hard] = {95.0, 1};
    EXPECT_EQ(LevelListScreen::recordText(details, Difficulty::Normal),
              "Normal: Silver medal, best 0:55.0, won 2 times");
    EXPECT_EQ(LevelListScreen::recordText(details, Difficulty::Hard), "Hard: best 1:35.0, won 1 time");
    details.records[Difficulty::Easy] = {20.0, 1, 70};
    EXPECT_EQ(LevelListScreen::recordText(details, Difficulty::Easy),
              "Easy: assisted at 70 %, best 0:20.0, won 1 time")
        << "an assisted best names its speed and no medal";
    details.medalTimes.reset();
    EXPECT_EQ(LevelListScreen::recordText(details, Difficulty::Normal), "Normal: best 0:55.0, won 2 times");
}

// After a win of a shipped level the next one is offered, with a word when this win opened it; the last
// level offers none. A win shows its medal and numbers, a loss only the numbers.
TEST_F(EndScreenTest, AWinOffersTheNextLevelAndItsMedalAndALossOnlyTheNumbers) {
    ASSERT_TRUE(winTheLevel());
    EndScreen* end = harness.screen<EndScreen>();
    ASSERT_TRUE(end->nextLevelButton);
    EXPECT_EQ(end->nextLevelButton->getText(), "Now open: The Orchard   Enter");
    ASSERT_TRUE(end->medalLine && end->medalPicture);
    EXPECT_EQ(end->medalLine->getText(), "Gold medal") << "the first level's gold is well above a second";
    EXPECT_EQ(end->nextMedalLine->getText(), "The best medal there is");
    EXPECT_EQ(end->eggsLine->getText(), "Eggs shot: 0");
    EXPECT_EQ(end->seenLine->getText(), "Never seen");
    EXPECT_TRUE(end->numbersCard);
    harness.press(sf::Keyboard::Enter);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    EXPECT_EQ(GameStateManager::getInstance()->mapPath, LevelCatalog::shippedLevels().at(1));

    ASSERT_TRUE(winTheLevel());
    EXPECT_EQ(harness.screen<EndScreen>()->nextLevelButton->getText().rfind("Now open: ", 0), 0u);
    harness.press(sf::Keyboard::R);
    ASSERT_TRUE(winTheLevel());
    EXPECT_EQ(harness.screen<EndScreen>()->nextLevelButton->getText().rfind("Next level: ", 0), 0u)
        << "a second win only offers it";
    GameStateManager::getInstance()->mapPath = LevelCatalog::shippedLevels().back();
    harness.press(sf::Keyboard::R);
    ASSERT_TRUE(winTheLevel());
    EXPECT_FALSE(harness.screen<EndScreen>()->nextLevelButton) << "the last level has none after it";

    harness.press(sf::Keyboard::Space);
    ASSERT_TRUE(harness.startLevel());
    // Walked into the first dog of the yard: caught once the dog has seen the player.
    GameHarness::object("player1")->setPosition(GameHarness::object("enemy1")->getPosition() +
                                                sf::Vector2f(30.0f, 0.0f));
    harness.framesUntil([&] { return !harness.screen<IngameScreen>(); }, 600);
    end = harness.screen<EndScreen>();
    ASSERT_NE(end, nullptr);
    EXPECT_FALSE(GameStateManager::getInstance()->won);
    EXPECT_FALSE(end->medalLine) << "a loss earns no medal";
    EXPECT_FALSE(end->numbersCard);
    EXPECT_FALSE(end->nextLevelButton);
    EXPECT_EQ(end->seenLine->getText(), "Seen once");
    EXPECT_EQ(end->timeLine->getText().rfind("Time 0:", 0), 0u) << end->timeLine->getText();
    EXPECT_EQ(end->retryLine->getText(), "Press R to try again, or Y on the pad");
}

TEST_F(EndScreenTest, ASlowerGameWinsAsAssistedWithoutAMedalOrAGhost) {
    GameStateManager* game = GameStateManager::getInstance();
    harness.leaveForTheMenu();
    game->settings.gameSpeed = 70;
    ASSERT_TRUE(harness.startLevel());
    harness.frames(60);
    ASSERT_TRUE(winTheLevel());
    EndScreen* end = harness.screen<EndScreen>();
    EXPECT_EQ(end->timeLine->getText().find("Time 0:01."), 0u)
        << "the clock counts the time the player spent";
    EXPECT_NE(end->timeLine->getText().find("on Normal   assisted at 70 %"), std::string::npos)
        << end->timeLine->getText();
    EXPECT_FALSE(end->medalCard) << "the first level's medals are for full-speed wins";
    const auto record =
        RecordsFile(harness.recordsFile()).find(RecordsFile::levelKey(game->mapPath), Difficulty::Normal);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->speed, 70);
    EXPECT_FALSE(std::filesystem::exists(harness.ghostsFolder())) << "and no ghost is kept";
}
} // namespace
