#include "storage/LevelCatalog.hpp"

#include "screens/LevelListScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/GameHarness.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

class LevelCatalogTest : public testing::Test {
protected:
    void SetUp() override {
        folder = makeTempFolder("levels");
        fs::create_directories(folder / "levels");
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string level(const std::string& name) const { return (folder / "levels" / name).string(); }
    std::string records() const { return (folder / "records.toml").string(); }

    fs::path folder;
};

TEST_F(LevelCatalogTest, ShippedLevelsComeFirstThenThePlayersOwnEachCheckedWithItsReason) {
    const std::string farm = readWholeFile("Assets/map.tmx");
    std::ofstream(level("b-copy.tmx")) << farm;
    std::ofstream(level("a-broken.tmx")) << "<map>\n<layer";
    std::string renamed = farm;
    renamed.replace(renamed.find("name=\"enemy3\""), 13, "name=\"dog3\"");
    std::ofstream(level("c-renamed.tmx")) << renamed;
    std::ofstream(level("notes.txt")) << "not a map";
    const std::string copy = RecordsFile::levelKey(level("b-copy.tmx"));
    ASSERT_TRUE(RecordsFile(records()).recordWin(copy, Settings::Difficulty::Normal, 83.45).kept);
    ASSERT_TRUE(RecordsFile(records()).recordWin(copy, Settings::Difficulty::Hard, 99.0).kept);

    ErrCapture err;
    EXPECT_EQ(LevelCatalog((folder / "nowhere").string(), "").size(), LevelCatalog::shippedLevels().size())
        << "a missing folder holds no levels";
    LevelCatalog catalog((folder / "levels").string(), records());
    ASSERT_EQ(catalog.size(), LevelCatalog::shippedLevels().size() + 3);
    EXPECT_EQ(catalog.path(0), "Assets/map.tmx");
    EXPECT_EQ(catalog.details(0).name, "The Farmhouse");
    EXPECT_EQ(catalog.details(1).name, "The Hen Run");
    const std::size_t own = LevelCatalog::shippedLevels().size();
    for (std::size_t i = 0; i < own; ++i) {
        EXPECT_TRUE(catalog.details(i).playable()) << catalog.path(i) << ": " << catalog.details(i).problem;
        EXPECT_TRUE(catalog.shipped(i));
    }
    const auto text = [&](std::size_t i, Settings::Difficulty difficulty = Settings::Difficulty::Normal) {
        return LevelListScreen::entryText(catalog.details(i), fs::path(catalog.path(i)).filename().string(),
                                          catalog.shipped(i), difficulty);
    };
    EXPECT_EQ(text(own), "a-broken.tmx: line 2: not well-formed XML: expected >");
    EXPECT_EQ(text(own + 1), "The Farmhouse (b-copy.tmx)   Normal: best 1:23.4, won 1 time");
    EXPECT_EQ(text(own + 1, Settings::Difficulty::Hard),
              "The Farmhouse (b-copy.tmx)   Hard: best 1:39.0, won 1 time");
    EXPECT_EQ(text(own + 1, Settings::Difficulty::Easy), "The Farmhouse (b-copy.tmx)   Easy: not won yet");
    EXPECT_FALSE(catalog.details(own + 2).playable());
    EXPECT_EQ(text(own + 2).rfind("c-renamed.tmx: object \"enemy3\": missing", 0), 0u) << text(own + 2);
    EXPECT_EQ(err.text(), "") << "the list says what is wrong; the error stream stays quiet";

    // A best time no run gives is not shown as one.
    std::ofstream(records()) << "[levels.\"" << copy << "\".normal]\nbest = 1e300\nwins = 1\n";
    LevelCatalog damaged((folder / "levels").string(), records());
    EXPECT_EQ(LevelListScreen::entryText(damaged.details(own + 1), "b-copy.tmx", false,
                                         Settings::Difficulty::Normal),
              "The Farmhouse (b-copy.tmx)   Normal: not won yet");

    // Mended on disk: the next look at the list checks it afresh.
    std::ofstream(level("a-broken.tmx")) << farm;
    EXPECT_TRUE(LevelCatalog((folder / "levels").string(), "").details(own).playable());
}

TEST(LevelListScreenTest, ABrokenLevelCannotBeChosenAndEscapeReturnsToTheMenu) {
    GameHarness harness;
    const fs::path own = fs::path(std::getenv("XDG_DATA_HOME")) / "pellowick" / "levels";
    fs::create_directories(own);
    std::ofstream(own / "broken.tmx") << "not a map";
    RecordsFile(harness.recordsFile())
        .recordWin(RecordsFile::levelKey("Assets/map.tmx"), Settings::Difficulty::Hard, 75.0);
    GameStateManager::getInstance()->settings.difficulty = Settings::Difficulty::Hard;
    ASSERT_TRUE(harness.frames(2));
    ASSERT_TRUE(harness.clickOn(harness.screen<StartScreen>()->gui.get("levels")));
    LevelListScreen* list = harness.screen<LevelListScreen>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->entryButtons[0]->getText(), "The Farmhouse   Hard: best 1:15.0, won 1 time")
        << "the records at the difficulty the level would be played at";
    EXPECT_EQ(list->entryButtons[1]->getText(), "The Hen Run   Hard: not won yet");
    const std::size_t broken = LevelCatalog::shippedLevels().size();
    EXPECT_FALSE(list->entryButtons[broken]->isEnabled());
    EXPECT_FALSE(list->entryButtons[broken + 1]->isVisible());
    EXPECT_FALSE(list->nextButton->isEnabled()) << "one page holds them all";
    ASSERT_TRUE(harness.clickOn(list->entryButtons[broken]));
    ASSERT_EQ(harness.screen<LevelListScreen>(), list) << "a greyed level does not start";
    harness.tap(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(2));
    EXPECT_NE(harness.screen<StartScreen>(), nullptr);
}
} // namespace
