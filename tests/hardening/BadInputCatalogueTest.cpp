// What a player or level designer sees when a file the game reads is missing or broken, or is no regular
// file, or far too large: each case breaks one thing in a private copy of Assets/, plays the real game in
// this process, and checks the exact lines on sf::err() and what happens next: back to the menu, exit with
// status 1, or going on without it.
#include "app/GameStateManager.hpp"
#include "support/BrokenAssets.hpp"
#include "support/ErrCapture.hpp"
#include "support/GameHarness.hpp"
#include "support/PlainPng.hpp"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

enum class Next { BackToMenu, ExitWithStatus1, GoesOn };

struct BadInput {
    std::string name;
    int screen; // where the player meets the file
    std::function<bool()> breakIt;
    std::string line; // each of its lines must end a line on sf::err()
    Next next;
    bool hugePicture = false; // the game must not decode it: memory is measured
};

std::ostream& operator<<(std::ostream& out, const BadInput& input) {
    return out << input.name;
}

constexpr int kMenu = GameStateManager::kStartScreen;
constexpr int kLevel = GameStateManager::kIngameScreen;
constexpr int kEnd = GameStateManager::kEndScreen;
constexpr int kControls = GameStateManager::kControlsScreen;

const std::string kUnplayable = "Assets/map.tmx: the game cannot play this map";

std::function<bool()> removeFiles(std::vector<std::string> files) {
    return [=] { return (std::for_each(files.begin(), files.end(), BrokenAssets::remove), true); };
}

// Kinds of things that are no regular file, put where a file should be.
std::function<bool()> folderAt(std::string file) {
    return [=] { return (BrokenAssets::remove(file), std::filesystem::create_directory("Assets/" + file)); };
}
std::function<bool()> pipeAt(std::string file) {
    return [=] { return (BrokenAssets::remove(file), mkfifo(("Assets/" + file).c_str(), 0600) == 0); };
}
std::function<bool()> linkAt(std::string file, std::string target) {
    return [=] {
        return (BrokenAssets::remove(file), std::filesystem::create_symlink(target, "Assets/" + file), true);
    };
}
std::function<bool()> plainPngAt(std::string file, unsigned width, unsigned height) {
    return [=] { return (writePlainPng("Assets/" + file, width, height), true); };
}

// One row per kind of trouble with the level; the map checker's and the reader's own tests name every
// problem of each kind.
const std::vector<BadInput> kLevelFile = {
    {"MissingMap", kLevel, removeFiles({"map.tmx"}), "loadMap: could not open file Assets/map.tmx",
     Next::BackToMenu},
    {"MapIsAPipe", kLevel, pipeAt("map.tmx"), "Assets/map.tmx: is not a regular file", Next::BackToMenu},
    {"MapFarTooLarge", kLevel,
     [] { return (std::filesystem::resize_file("Assets/map.tmx", 65u << 20), true); },
     "Assets/map.tmx: is 68157440 bytes; the game reads at most 67108864", Next::BackToMenu},
    {"PicturesFarTooLarge", kLevel,
     [] { return plainPngAt("tiles.png", 16384, 16384)() && plainPngAt("sprite.png", 1, 100000)(); },
     "error: tileset \"tiles\": image \"Assets/tiles.png\" is 16384x16384 pixels, more than 4096 a side\n"
     "error: object \"player1\": texture \"Assets/sprite.png\" is 1x100000 pixels, more than 4096 a side",
     Next::BackToMenu, true},
    {"MapCutOff", kLevel, [] { return (BrokenAssets::write("map.tmx", "<map>\n<layer"), true); },
     "Assets/map.tmx:2: not well-formed XML: expected >", Next::BackToMenu},
    {"DogMissing", kLevel, [] { return BrokenAssets::edit("map.tmx", "name=\"enemy7\"", "name=\"stray\""); },
     "error: object \"enemy7\": missing: the game needs an object of this name with type \"enemy1\" or "
     "\"enemy2\"",
     Next::BackToMenu},
};

const std::vector<BadInput> kMenuFiles = {
    {"FormMissing", kMenu, removeFiles({"start.txt"}), "Assets/start.txt: cannot open the form file",
     Next::ExitWithStatus1},
    {"FormLinksToAnEndlessDevice", kMenu, linkAt("start.txt", "/dev/zero"),
     "Assets/start.txt: is not a regular file", Next::ExitWithStatus1},
    {"FormLacksExitButton", kMenu,
     [] { return BrokenAssets::edit("start.txt", "Button.exit", "Button.quit"); },
     "Assets/start.txt: the menu needs a Button named \"exit\"", Next::ExitWithStatus1},
    {"FontMissing", kMenu, removeFiles({"arial.ttf"}),
     "Pellowick: cannot show the menu: the font Assets/arial.ttf is missing or unreadable",
     Next::ExitWithStatus1},
    {"FontIsAFolder", kMenu, folderAt("arial.ttf"),
     "Pellowick: cannot show the menu: the font Assets/arial.ttf is a folder", Next::ExitWithStatus1},
    {"MenuBackgroundHuge", kMenu, plainPngAt("startScreen.png", 16384, 16384),
     "Assets/startScreen.png: is 16384x16384 pixels, more than 4096 a side\n"
     "Pellowick: Assets/startScreen.png is missing or unreadable; the menu shows without it",
     Next::GoesOn, true},
    {"FormPictureIsALinkLoop", kMenu, linkAt("audio.png", "audio.png"),
     ": cannot load the texture 'Assets/audio.png': it is not a regular file", Next::ExitWithStatus1},
    {"SoundsAreFolders", kMenu,
     [] { return folderAt("Sounds/music.wav")() && folderAt("Sounds/button.wav")(); },
     "Assets/Sounds/music.wav: is a folder\nAssets/Sounds/button.wav: is a folder", Next::GoesOn},
};

const std::vector<BadInput> kScreenPictures = {
    {"ControlsPictureMissing", kControls, removeFiles({"controls.png"}),
     "Pellowick: cannot show the picture Assets/controls.png: the file is missing or unreadable",
     Next::BackToMenu},
    {"BothEndPicturesMissing", kEnd, removeFiles({"won.png", "lost.png"}),
     "Pellowick: cannot show the picture Assets/lost.png: the file is missing or unreadable",
     Next::BackToMenu},
    {"WonPictureMissing", kEnd, removeFiles({"won.png"}),
     "Pellowick: cannot show the picture Assets/won.png: the file is missing or unreadable", Next::GoesOn},
    {"AngryDogPictureMissing", kLevel, removeFiles({"dogAngry.png"}),
     "Pellowick: Assets/dogAngry.png is missing or unreadable", Next::BackToMenu},
    {"EggIconMissing", kLevel, removeFiles({"eggAmount.png"}),
     "Failed to load image \"Assets/eggAmount.png\". Reason: Unable to open file", Next::GoesOn},
};

// The most this process has held in memory since the last reset; the kernel keeps the figure.
// Unused under the sanitizers, where the memory check is skipped.
[[maybe_unused]] std::size_t peakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stoul(line.substr(6)) / 1024;
        }
    }
    return 0;
}
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

class BadInputCatalogueTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputCatalogueTest, SaysWhatIsWrongAndCarriesOn) {
    const BadInput& input = GetParam();
    BrokenAssets assets;
    ASSERT_TRUE(input.breakIt()) << "the case did not apply to the test files";
    ErrCapture errors;
    resetPeakMemory();
    GameHarness harness;
    if (input.next == Next::ExitWithStatus1) {
        EXPECT_FALSE(harness.frames(1)) << "the window should have closed";
        EXPECT_EQ(harness.game->exitStatus(), 1);
    } else {
        ASSERT_TRUE(harness.frames(1));
        if (input.screen != kMenu) {
            GameStateManager::getInstance()->setState(input.screen);
        }
        const GameState* opened = GameStateManager::getInstance()->currentState.get();
        ASSERT_TRUE(harness.frames(3)) << errors.text();
        if (input.next == Next::BackToMenu) {
            EXPECT_NE(harness.screen<StartScreen>(), nullptr) << errors.text();
        } else {
            EXPECT_EQ(GameStateManager::getInstance()->currentState.get(), opened) << errors.text();
        }
        EXPECT_EQ(harness.game->exitStatus(), 0);
    }
    std::istringstream expected(input.line);
    for (std::string line; std::getline(expected, line);) {
        EXPECT_NE(errors.text().find(line + "\n"), std::string::npos) << line << "\nnot in\n"
                                                                      << errors.text();
    }
    if (input.line.rfind("error: ", 0) == 0) {
        const std::string text = errors.text();
        EXPECT_EQ(text.substr(text.size() - kUnplayable.size() - 1), kUnplayable + "\n");
    }
#ifndef PELLOWICK_SANITIZE
    if (input.hugePicture) {
        EXPECT_LT(peakMemoryMiB(), 300u) << "the picture was decoded";
    }
#endif
}

std::string caseName(const ::testing::TestParamInfo<BadInput>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(LevelFile, BadInputCatalogueTest, ::testing::ValuesIn(kLevelFile), caseName);
INSTANTIATE_TEST_SUITE_P(MenuFiles, BadInputCatalogueTest, ::testing::ValuesIn(kMenuFiles), caseName);
INSTANTIATE_TEST_SUITE_P(ScreenPictures, BadInputCatalogueTest, ::testing::ValuesIn(kScreenPictures),
                         caseName);
// That the unbroken copy plays without a word is held where the restart reloads it.

} // namespace
