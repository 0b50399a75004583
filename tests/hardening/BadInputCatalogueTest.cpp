// What a player or level designer sees when a file the game reads is missing or broken, and what the
// game does next. Each case breaks one thing in a private copy of Assets/, plays the real game in this
// process, and checks the exact line on sf::err() and the outcome:
//   - a broken level, a missing dog picture or a missing picture screen: back to the menu;
//   - a missing or broken menu form, a picture the form shows, or the font: the window closes and the
//     game exits with status 1;
//   - a missing sound or music: the game goes on silently; a missing decoration: it goes on without it.
// A folder, a pipe, a device or a link loop where a file should be, a file far too large, or a picture
// far too large for its role is refused before it is read, and handled as a missing file of its kind.
#include "app/GameStateManager.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/CreditsScreen.hpp"
#include "screens/EndScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/StartScreen.hpp"
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
    std::string line; // exactly as it appears on sf::err(); several, one a line, must all appear
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

// Deep enough to exhaust the stack of a reader that recursed once per level.
constexpr int kAbsurdDepth = 300000;

std::string repeated(const std::string& text, int times) {
    std::string all;
    all.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

const std::string kMap = "Assets/map.tmx";
const std::string kUnplayable = "Assets/map.tmx: the game cannot play this map";

std::function<bool()> editMap(std::string from, std::string to) {
    return [=] { return BrokenAssets::edit("map.tmx", from, to); };
}
std::function<bool()> writeFile(std::string file, std::string text) {
    return [=] {
        BrokenAssets::write(file, text);
        return true;
    };
}
std::function<bool()> removeFiles(std::vector<std::string> files) {
    return [=] {
        for (const std::string& file : files) {
            BrokenAssets::remove(file);
        }
        return true;
    };
}

std::string mapError(const std::string& text) {
    return kMap + ": error: " + text;
}

// The test level as a save interrupted right after `name=` of the dog "enemy7" leaves it: the reader finds
// the end of the file where the attribute's opening quote should be, on the line of that dog.
std::string mapCutInsideADog() {
    const std::string text = testlevel::mapText("Assets/");
    return text.substr(0, text.find("name=\"enemy7\"") + 5);
}
std::string lastLineOf(const std::string& text) {
    return std::to_string(1 + std::count(text.begin(), text.end(), '\n'));
}

// Kinds of things that are no regular file, put where a file should be.
std::function<bool()> folderAt(std::string file) {
    return [=] {
        BrokenAssets::remove(file);
        return std::filesystem::create_directory("Assets/" + file);
    };
}
std::function<bool()> pipeAt(std::string file) {
    return [=] {
        BrokenAssets::remove(file);
        return mkfifo(("Assets/" + file).c_str(), 0600) == 0;
    };
}
std::function<bool()> linkAt(std::string file, std::string target) {
    return [=] {
        BrokenAssets::remove(file);
        std::filesystem::create_symlink(target, "Assets/" + file);
        return true;
    };
}
std::function<bool()> sparseFileAt(std::string file, std::uintmax_t size) {
    return [=] {
        std::filesystem::resize_file("Assets/" + file, size);
        return true;
    };
}
std::function<bool()> plainPngAt(std::string file, unsigned width, unsigned height) {
    return [=] {
        writePlainPng("Assets/" + file, width, height);
        return true;
    };
}

// One row per kind of trouble with the level; the map checker's and the reader's own tests name every
// problem of each kind.
const std::vector<BadInput> kLevelFile = {
    {"MissingMap", kLevel, removeFiles({"map.tmx"}), "loadMap: could not open file Assets/map.tmx",
     Next::BackToMenu},
    {"MapIsAPipe", kLevel, pipeAt("map.tmx"), "Assets/map.tmx: is not a regular file", Next::BackToMenu},
    {"MapFarTooLarge", kLevel, sparseFileAt("map.tmx", 65u << 20),
     "Assets/map.tmx: is 68157440 bytes; the game reads at most 67108864", Next::BackToMenu},
    {"PicturesFarTooLarge", kLevel,
     [] { return plainPngAt("tiles.png", 16384, 16384)() && plainPngAt("sprite.png", 1, 100000)(); },
     mapError("tileset \"tiles\": image \"Assets/tiles.png\" is 16384x16384 pixels, more than 4096 a side") +
         "\n" +
         mapError(
             "object \"player1\": texture \"Assets/sprite.png\" is 1x100000 pixels, more than 4096 a side"),
     Next::BackToMenu, true},
    {"PicturesMissing", kLevel,
     [] { return editMap("Assets/sprite.png", "Assets/nothere.png")() && removeFiles({"tiles.png"})(); },
     mapError("object \"player1\": texture \"Assets/nothere.png\" does not exist") + "\n" +
         mapError("tileset \"tiles\": image \"Assets/tiles.png\" could not be loaded"),
     Next::BackToMenu},
    {"MapCutInsideADog", kLevel, writeFile("map.tmx", mapCutInsideADog()),
     "Assets/map.tmx:" + lastLineOf(mapCutInsideADog()) + ": not well-formed XML: expected ' or \"",
     Next::BackToMenu},
    {"ElementsNestedAbsurdlyDeep", kLevel,
     writeFile("map.tmx",
               "<map>" + repeated("<a>", kAbsurdDepth) + repeated("</a>", kAbsurdDepth) + "</map>"),
     "Assets/map.tmx:1: elements nested more than 64 deep", Next::BackToMenu},
    {"LayerSizeOverflowing", kLevel,
     editMap("<layer name=\"inside\" width=\"4\"", "<layer name=\"inside\" width=\"65536\""),
     "Assets/map.tmx:4: <layer name=\"inside\"> has width 65536, outside 0..4096", Next::BackToMenu},
    {"PropertyNotAFiniteNumber", kLevel,
     editMap(testlevel::property(4, "velocityX", "0"), testlevel::property(4, "velocityX", "1e999")),
     mapError("object \"player1\": property 4 (\"4_velocityX\") is \"1e999\", not a number"),
     Next::BackToMenu},
    {"DogMissing", kLevel, editMap("name=\"enemy7\"", "name=\"stray\""),
     mapError("object \"enemy7\": missing: the game needs an object of this name with type \"enemy1\" or "
              "\"enemy2\""),
     Next::BackToMenu},
};

// Where the menu form that the game ships mentions `text` (1-based; 0 when it does not).
int shippedFormLineOf(const std::string& text) {
    std::ifstream form(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/start.txt");
    int number = 0;
    for (std::string line; std::getline(form, line);) {
        ++number;
        if (line.find(text) != std::string::npos) {
            return number;
        }
    }
    return 0;
}

const std::vector<BadInput> kMenuFiles = {
    {"FormMissing", kMenu, removeFiles({"start.txt"}), "Assets/start.txt: cannot open the form file",
     Next::ExitWithStatus1},
    {"FormLinksToAnEndlessDevice", kMenu, linkAt("start.txt", "/dev/zero"),
     "Assets/start.txt: is not a regular file", Next::ExitWithStatus1},
    {"FormMalformed", kMenu, writeFile("start.txt", "Button.start {\n    Text = {Start};\n}\n"),
     "Assets/start.txt:2: '{' inside the value of 'Text'", Next::ExitWithStatus1},
    {"FormLacksExitButton", kMenu,
     [] { return BrokenAssets::edit("start.txt", "Button.exit", "Button.quit"); },
     "Assets/start.txt: the menu needs a Button named \"exit\"", Next::ExitWithStatus1},
    {"FontMissing", kMenu, removeFiles({"arial.ttf"}),
     "Pellowick: cannot show the menu: the font Assets/arial.ttf is missing or unreadable",
     Next::ExitWithStatus1},
    {"FontIsAFolder", kMenu, folderAt("arial.ttf"),
     "Pellowick: cannot show the menu: the font Assets/arial.ttf is a folder", Next::ExitWithStatus1},
    {"MenuBackgroundHuge", kMenu, plainPngAt("startScreen.png", 16384, 16384),
     "Assets/startScreen.png: is 16384x16384 pixels, more than 4096 a side", Next::GoesOn, true},
    {"FormPictureIsALinkLoop", kMenu, linkAt("audio.png", "audio.png"),
     "Assets/start.txt:" + std::to_string(shippedFormLineOf("\"audio.png\"")) +
         ": cannot load the texture 'Assets/audio.png': it is not a regular file",
     Next::ExitWithStatus1},
    {"MenuBackgroundMissing", kMenu, removeFiles({"startScreen.png"}),
     "Pellowick: Assets/startScreen.png is missing or unreadable; the menu shows without it", Next::GoesOn},
    {"FormPictureMissing", kMenu, removeFiles({"audio.png"}),
     "Assets/start.txt:" + std::to_string(shippedFormLineOf("\"audio.png\"")) +
         ": cannot load the texture 'Assets/audio.png'",
     Next::ExitWithStatus1},
    {"SoundsMissing", kMenu, removeFiles({"Sounds/music.wav", "Sounds/shoot.wav"}),
     "Failed to open sound file \"Assets/Sounds/music.wav\" (couldn't open stream)\n"
     "Failed to open sound file \"Assets/Sounds/shoot.wav\" (couldn't open stream)",
     Next::GoesOn},
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

// The lines on sf::err(), with the map's line numbers left out: the cases name the problem, the checker's
// own tests the lines.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::string numbered = kMap + ":";
        const auto numberEnd = line.find_first_not_of("0123456789", numbered.size());
        const bool checkerLine =
            line.rfind(numbered, 0) == 0 && numberEnd > numbered.size() &&
            (line.compare(numberEnd, 9, ": error: ") == 0 || line.compare(numberEnd, 11, ": warning: ") == 0);
        if (checkerLine) {
            line.erase(kMap.size(), numberEnd - kMap.size());
        }
        lines.push_back(line);
    }
    return lines;
}

// The most this process has held in memory since the last reset; the kernel keeps the figure.
// Unused under ASan, where the memory check is skipped.
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

bool isRunning(GameHarness& harness, int screen) {
    switch (screen) {
    case kMenu:
        return harness.screen<StartScreen>() != nullptr;
    case kLevel:
        return harness.screen<IngameScreen>() != nullptr;
    case kEnd:
        return harness.screen<EndScreen>() != nullptr;
    case kControls:
        return harness.screen<ControlsScreen>() != nullptr;
    default:
        return harness.screen<CreditsScreen>() != nullptr;
    }
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
        ASSERT_TRUE(harness.frames(3)) << errors.text();
        EXPECT_TRUE(isRunning(harness, input.next == Next::BackToMenu ? kMenu : input.screen))
            << errors.text();
        EXPECT_EQ(harness.game->exitStatus(), 0);
    }
    const std::vector<std::string> lines = linesOf(errors.text());
    for (const std::string& expected : linesOf(input.line)) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end())
            << "expected the line\n  " << expected << "\ngot\n"
            << errors.text();
    }
    if (input.screen == kLevel && input.line.rfind(kMap + ": error: ", 0) == 0) {
        EXPECT_EQ(lines.back(), kUnplayable);
    }
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's own bookkeeping would be measured too
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

// The copy of Assets/ the catalogue breaks is playable as it is: every case above is caused by its
// one change alone. Its goal, borders and exit share the empty name, so each replaces the last in the
// name registry while its collider stays in play: those objects must outlive the level's first frames.
TEST(BadInputBaselineTest, UnbrokenCopyPlaysTheLevelWithoutErrors) {
    BrokenAssets assets;
    ErrCapture errors;
    GameHarness harness;
    ASSERT_TRUE(harness.frames(1));
    GameStateManager::getInstance()->setState(kLevel);
    ASSERT_TRUE(harness.frames(3));
    EXPECT_NE(harness.screen<IngameScreen>(), nullptr) << errors.text();
    EXPECT_EQ(errors.text().find("error"), std::string::npos) << errors.text();
    EXPECT_EQ(errors.text().find("Failed"), std::string::npos) << errors.text();
}

} // namespace
