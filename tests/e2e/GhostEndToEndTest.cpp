#include "support/EndToEndTest.hpp"
#include "support/TestLevel.hpp"

#include <filesystem>

namespace {
using LS = LevelSchema;
namespace fs = std::filesystem;

// One row of the level, from left to right: the player, the door in, the formula, the door out and the
// goal, so that walking right wins it. The walk to the door takes about five seconds, all of it outside;
// the dogs stay inside, far to the right.
std::string straightLevel(const std::string& imageDir) {
    using testlevel::object;
    using testlevel::properties;
    std::string objects = object(LS::kPlayerName, LS::kPlayer, 40, 49, properties(LS::kPlayer, imageDir), 14);
    objects += object(LS::kCameraName, LS::kCamera, 40, 49,
                      properties(LS::kCamera, imageDir, {{LS::kOffsetX, "7"}, {LS::kOffsetY, "7"}}));
    for (int i = 1; i <= LS::kDogCount; ++i) {
        objects += object(
            LS::dogName(i), LS::kInsideDog, 600, 112,
            properties(LS::kInsideDog, imageDir, {{LS::kPatrolDistanceX, "0"}, {LS::kPatrolDistanceY, "0"}}));
    }
    for (int i = 1; i <= LS::kEggCount; ++i) {
        objects += object(LS::eggName(i), LS::kEgg, 560, 16, properties(LS::kEgg, imageDir), 8);
    }
    objects += object("", LS::kEntrance, 400, 48);
    objects += object(LS::kFormulaName, LS::kFormula, 440, 48, properties(LS::kFormula, imageDir));
    objects += object("", LS::kExit, 480, 48);
    objects += object("", LS::kGoal, 520, 48);
    objects += object("", LS::kInsideWall, 560, 112);
    objects += object("", LS::kOutsideWall, 520, 112);
    return testlevel::grassMap(40, 8, "", objects);
}

// The real game on the level above: a first run wins it, later ones stand still and watch.
class GhostEndToEndTest : public EndToEndTest {
protected:
    GhostEndToEndTest() { keysOnly = true; }
    void SetUp() override {
        folder = makeTempFolder();
        testlevel::writeImages(folder + "/");
        std::ofstream(folder + "/straight.tmx") << straightLevel(folder + "/");
        writeSettings("");
    }
    void writeSettings(const std::string& game) {
        fs::create_directories(folder + "/config/pellowick");
        std::ofstream(folder + "/config/pellowick/settings.toml") << "[audio]\nmusic = 0\n" << game;
    }
    void startLevel() {
        startGame({program, "--map", "straight.tmx"});
        tap("Return");
        tap("e"); // play starts under the level's card; laying with no egg in hand does nothing else
    }
    // The level below the heads-up display, where only the ghost moves while the player stands still.
    sf::Image levelShot(const std::string& name) {
        const sf::Image whole = shot(name);
        sf::Image part;
        part.create(whole.getSize().x, whole.getSize().y / 2);
        part.copy(whole, 0, 0,
                  {0, static_cast<int>(whole.getSize().y / 4), static_cast<int>(whole.getSize().x),
                   static_cast<int>(whole.getSize().y / 2)});
        return part;
    }
    // How much of the level changes between two moments of standing still at the start.
    double changeWhileStill() {
        // Both moments well inside the ghost's walk to the door, even on a slow machine.
        startLevel();
        waitSeconds(1.5);
        const sf::Image early = levelShot("early");
        waitSeconds(1.0);
        const sf::Image later = levelShot("later");
        EXPECT_TRUE(closeAndWait());
        return differingShare(early, later);
    }
    std::vector<fs::path> ghosts() const {
        std::vector<fs::path> found;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder + "/data/pellowick/ghosts", error)) {
            found.push_back(entry.path());
        }
        return found;
    }
};

TEST_F(GhostEndToEndTest, AWinKeepsItsGhostAndTheNextRunShowsItUnlessThePlayerHidesIt) {
    startLevel();
    display.run("xdotool keydown d sleep 12 keyup d");
    waitSeconds(1.0);
    EXPECT_TRUE(closeAndWait());
    EXPECT_EQ(unexpectedErrors(), "");
    const std::string recordsText = readWholeFile(folder + "/data/pellowick/records.toml");
    EXPECT_NE(recordsText.find("straight.tmx#"), std::string::npos) << "the walk won the level:\n"
                                                                    << recordsText;
    const std::vector<fs::path> kept = ghosts();
    ASSERT_EQ(kept.size(), 1u) << "one ghost for the level at Normal";
    EXPECT_EQ(kept.front().filename().string().rfind("straight.tmx#", 0), 0u) << kept.front();
    EXPECT_NE(kept.front().filename().string().find(".normal.ghost"), std::string::npos) << kept.front();

    EXPECT_GT(changeWhileStill(), 0.0005) << "the ghost walks off towards the door";
    writeSettings("[game]\nshow_ghost = false\n");
    EXPECT_LT(changeWhileStill(), 0.0001) << "hidden in the options, nothing moves";
    EXPECT_EQ(unexpectedErrors(), "");
}
} // namespace
