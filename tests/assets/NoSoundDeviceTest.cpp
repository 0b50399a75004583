// The real game on a machine where OpenAL can open no sound device: it plays silently, says so once, and
// its error stream stays short. Before, every OpenAL call SFML made failed and was reported on sf::err(),
// the music's thread tens of megabytes a second, and that thread crashed the game writing into a
// buffer the level list had put under sf::err() for a moment.
#include "assets/AssetManager.hpp"
#include "support/EndToEndTest.hpp"

#include <filesystem>

namespace {
class NoSoundDeviceTest : public EndToEndTest {
protected:
    NoSoundDeviceTest() { soundDrivers = "nonexistent"; }
};

// Everything the game could say in this run: its trace of the one level loaded, SFML's line about Xvfb,
// the line about the sound, and a few lines from the sound libraries themselves. Megabytes were written.
constexpr std::uintmax_t kMostErrorBytes = 4096;

TEST_F(NoSoundDeviceTest, TheMenuTheLevelListAndALevelPlaySilentlyAndTheGameEndsWell) {
    loadForm();
    const sf::Image menu = shot("menu");
    ASSERT_TRUE(game->running()) << "the menu plays without sound";

    clickWidget("levels");
    waitSeconds(1.0);
    EXPECT_GT(differingShare(menu, shot("level-list")), 0.05) << "the level list is shown";
    ASSERT_TRUE(game->running()) << "the level list checks the levels without crashing";
    tap("Escape");
    // Only the focus has moved: from Start, where a fresh menu shows it, to Levels.
    EXPECT_LT(differingShare(menu, shot("menu-from-list")), 0.04) << "Escape leaves the level list";

    clickWidget("start");
    waitSeconds(1.5);
    EXPECT_GT(differingShare(menu, shot("level")), 0.3) << "Start starts the level";
    ASSERT_TRUE(game->running()) << "the level plays without sound";
    tap("Escape");
    tap("q");
    waitSeconds(0.5);
    EXPECT_LT(differingShare(menu, shot("menu-again")), 0.02) << "Q goes back to the menu";

    EXPECT_TRUE(closeAndWait()) << "the game ends with status 0";
    const std::string said = "\n" + unexpectedErrors();
    const std::string line = "\n" + std::string(AssetManager::kNoSoundLine) + "\n";
    EXPECT_EQ(said.find(line, said.find(line) + 1), std::string::npos)
        << "said once: " << said.substr(0, 2000);
    EXPECT_NE(said.find(line), std::string::npos) << said.substr(0, 2000);
    std::error_code error;
    EXPECT_LE(std::filesystem::file_size(folder + "/stderr.txt", error), kMostErrorBytes)
        << unexpectedErrors().substr(0, 2000);
}
} // namespace
