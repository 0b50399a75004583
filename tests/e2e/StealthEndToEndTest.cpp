#include "support/EndToEndTest.hpp"
#include "support/TestLevel.hpp"

#include <filesystem>

namespace {
using LS = LevelSchema;

// A strip of grounds 20 cells wide and 8 high, cut by a wall from top to bottom. The player stands still
// left of it; a dog walks down the other side and, after about two seconds, comes within the distance at
// which it notices the player. Everything else the game needs lies far to the right.
std::string hidingLevel(const std::string& imageDir, bool wallsBlockSight) {
    using testlevel::object;
    using testlevel::properties;
    std::string objects = object(LS::kPlayerName, LS::kPlayer, 40, 96, properties(LS::kPlayer, imageDir), 14);
    objects += object(LS::kCameraName, LS::kCamera, 40, 96,
                      properties(LS::kCamera, imageDir, {{LS::kOffsetX, "7"}, {LS::kOffsetY, "7"}}));
    objects += object(LS::dogName(1), LS::kOutsideDog, 96, 0,
                      properties(LS::kOutsideDog, imageDir,
                                 {{LS::kPatrolAxis, "vertical"}, {LS::kPatrolDistanceY, "110"}}));
    // The other dogs live inside the building, so they neither see nor meet the player out here.
    for (int i = 2; i <= LS::kDogCount; ++i) {
        objects += object(LS::dogName(i), LS::kInsideDog, 288, 16, properties(LS::kInsideDog, imageDir));
    }
    for (int i = 1; i <= LS::kEggCount; ++i) {
        objects += object(LS::eggName(i), LS::kEgg, 272, 96, properties(LS::kEgg, imageDir), 8);
    }
    objects += object(LS::kFormulaName, LS::kFormula, 256, 16, properties(LS::kFormula, imageDir));
    objects += object("", LS::kGoal, 304, 112);
    objects += object("", LS::kInsideWall, 224, 0);
    objects += object("", LS::kEntrance, 240, 48);
    objects += object("", LS::kExit, 304, 48);
    objects += "  <object type=\"" + std::string(LS::kOutsideWall) +
               "\" x=\"64\" y=\"0\" width=\"16\" height=\"128\"/>\n";

    return testlevel::grassMap(20, 8,
                               "<property name=\"" + std::string(LS::kWallsBlockSight) +
                                   "\" type=\"bool\" value=\"" + (wallsBlockSight ? "true" : "false") +
                                   "\"/>",
                               objects);
}

// The real game, with the music silenced so that only the effects are heard, playing the level above.
class StealthEndToEndTest : public EndToEndTest {
protected:
    StealthEndToEndTest() { keysOnly = true; }
    void SetUp() override { folder = makeTempFolder(); }

    // The loudest sound more than half a second after the first one (Enter's click on Start), over four
    // seconds of standing still in the level.
    int loudestAfterStart(bool wallsBlockSight) {
        testlevel::writeImages(folder + "/");
        std::ofstream(folder + "/hiding.tmx") << hidingLevel(folder + "/", wallsBlockSight);
        std::filesystem::create_directories(folder + "/config/pellowick");
        std::ofstream(folder + "/config/pellowick/settings.toml") << "[audio]\nmusic = 0\neffects = 100\n";
        startGame({program, "--map", "hiding.tmx"});
        tap("Return");
        tap("e"); // play starts under the level's card; laying with no egg in hand does nothing else
        waitSeconds(4.0);
        EXPECT_TRUE(closeAndWait());
        EXPECT_EQ(unexpectedErrors(), "");
        const sf::SoundBuffer sound = heard();
        const std::size_t rate = sound.getSampleRate();
        std::size_t click = 0;
        while (click < sound.getSampleCount() && std::abs(int(sound.getSamples()[click])) < 1000) {
            ++click;
        }
        EXPECT_LT(click, sound.getSampleCount()) << "Enter's click on Start was heard";
        return peakOf(sound, click + rate / 2, sound.getSampleCount());
    }
};

TEST_F(StealthEndToEndTest, ADogBarksAtAPlayerBehindAWallOnlyWhereWallsDoNotBlockSight) {
    EXPECT_LT(loudestAfterStart(true), 50) << "hidden by the wall: no alarm";
    EXPECT_GT(loudestAfterStart(false), 1000) << "the classic rules: the dog sees through the wall and barks";
}

} // namespace
