#include "storage/LevelCatalog.hpp"

#include "i18n/Translator.hpp"
#include "input/KeyNames.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/LevelListScreen.hpp"
#include "screens/StartScreen.hpp"
#include "storage/Settings.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/GameHarness.hpp"
#include "support/VirtualPad.hpp"

#include <SFML/Graphics/Font.hpp>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

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

// The folder of a player's levels, for the list screen's tests.
fs::path playersFolder() {
    const fs::path own = fs::path(std::getenv("XDG_DATA_HOME")) / "pellowick" / "levels";
    fs::create_directories(own);
    return own;
}

TEST_F(LevelCatalogTest, ShippedLevelsComeFirstThenThePlayersOwnEachCheckedWithItsReason) {
    const std::string farm = readWholeFile("Assets/map.tmx");
    std::ofstream(level("b-copy.tmx")) << farm;
    std::ofstream(level("a-broken.tmx")) << "<map>\n<layer";
    std::string renamed = farm;
    renamed.replace(renamed.find("name=\"enemy3\""), 13, "name=\"dog3\"");
    std::ofstream(level("c-renamed.tmx")) << renamed;
    std::ofstream(level("notes.txt")) << "not a map";
    const std::string copy = RecordsFile::levelKey(level("b-copy.tmx"));
    ASSERT_TRUE(RecordsFile(records()).recordWin(copy, Difficulty::Normal, 83.45).kept);
    ASSERT_TRUE(RecordsFile(records()).recordWin(copy, Difficulty::Hard, 99.0).kept);

    ErrCapture err;
    EXPECT_EQ(LevelCatalog((folder / "nowhere").string(), "").size(), LevelCatalog::shippedLevels().size())
        << "a missing folder holds no levels";
    LevelCatalog catalog((folder / "levels").string(), records());
    ASSERT_EQ(catalog.size(), LevelCatalog::shippedLevels().size() + 3);
    EXPECT_EQ(catalog.path(0), "Assets/map.tmx");
    EXPECT_EQ(catalog.details(0).name, "The Farmhouse");
    EXPECT_EQ(catalog.details(1).name, "The Orchard");
    const std::size_t own = LevelCatalog::shippedLevels().size();
    std::set<std::string> ids;
    for (std::size_t i = 0; i < own; ++i) {
        EXPECT_TRUE(catalog.details(i).playable()) << catalog.path(i) << ": " << catalog.details(i).problem;
        EXPECT_TRUE(catalog.shipped(i));
        // Its records are kept under the id its map carries, whatever its content.
        EXPECT_EQ(RecordsFile::levelKey(catalog.path(i)), LevelCatalog::shippedLevelIds().at(i));
        ids.insert(LevelCatalog::shippedLevelIds().at(i));
    }
    EXPECT_EQ(ids.size(), own) << "no two shipped levels share an id";
    const auto text = [&](std::size_t i, Difficulty difficulty = Difficulty::Normal) {
        return LevelListScreen::entryText(catalog.details(i), fs::path(catalog.path(i)).filename().string(),
                                          catalog.shipped(i), difficulty);
    };
    EXPECT_EQ(text(own), "a-broken.tmx: line 2: not well-formed XML: expected >");
    EXPECT_EQ(text(own + 1), "The Farmhouse (b-copy.tmx)   Normal: Gold medal, best 1:23.4, won 1 time");
    EXPECT_EQ(text(own + 1, Difficulty::Hard),
              "The Farmhouse (b-copy.tmx)   Hard: Silver medal, best 1:39.0, won 1 time");
    EXPECT_EQ(text(own + 1, Difficulty::Easy), "The Farmhouse (b-copy.tmx)   Easy: not won yet");
    EXPECT_FALSE(catalog.details(own + 2).playable());
    EXPECT_EQ(text(own + 2).rfind("c-renamed.tmx: object \"enemy3\": missing", 0), 0u) << text(own + 2);
    EXPECT_EQ(err.text(), "") << "the list says what is wrong; the error stream stays quiet";
    // A language chosen after the check: the next look at the list says it in that language.
    Translator::instance().choose("de");
    const std::string german = LevelCatalog((folder / "levels").string(), "").details(own).problem;
    Translator::instance().choose("system");
    EXPECT_EQ(german, "Zeile 2: kein wohlgeformtes XML: expected >");

    // Mended on disk: the next look at the list checks it afresh.
    std::ofstream(level("a-broken.tmx")) << farm;
    EXPECT_TRUE(LevelCatalog((folder / "levels").string(), "").details(own).playable());
}

TEST_F(LevelCatalogTest, NamesSortAsPeopleSortThem) {
    for (const char* name : {"q10.tmx", "q2.tmx", "Q3.tmx", "q1.tmx", "q02b.tmx", "a.tmx"}) {
        std::ofstream(level(name)) << "";
    }
    LevelCatalog catalog((folder / "levels").string(), "");
    std::vector<std::string> names;
    for (std::size_t i = LevelCatalog::shippedLevels().size(); i < catalog.size(); ++i) {
        names.push_back(catalog.fileName(i));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"a.tmx", "q1.tmx", "q2.tmx", "q02b.tmx", "Q3.tmx", "q10.tmx"}));
}

// Each shipped level opens once the one before it is won, at any difficulty; a locked one says what opens it
// and cannot be started by the mouse, the keys or a pad; the option opens them all.
TEST(LevelListScreenTest, ShippedLevelsOpenOneByOneAndALockedOneCannotBeStarted) {
    GameHarness harness;
    VirtualPad pad(VirtualPad::kXbox360);
    LevelListScreen* list = harness.openList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->entryButtons[0]->isEnabled());
    EXPECT_EQ(list->entryButtons[1]->getText(), "The Orchard   Locked: win The Farmhouse to open it");
    const std::size_t shownRows =
        std::min(LevelListScreen::kRowsPerPage, LevelCatalog::shippedLevels().size());
    for (std::size_t row = 1; row < shownRows; ++row) {
        EXPECT_FALSE(list->entryButtons[row]->isEnabled()) << row;
    }
    ASSERT_TRUE(harness.clickOn(list->entryButtons[1]));
    ASSERT_EQ(harness.screen<LevelListScreen>(), list) << "a click does not start it";
    // Neither the keys nor a pad's D-pad bring the focus, that Enter or A would choose, onto a locked row.
    const auto focusOnALockedRow = [&] {
        const auto focused = list->gui.getFocused();
        return std::find(list->entryButtons.begin() + 1, list->entryButtons.end(), focused) !=
               list->entryButtons.end();
    };
    harness.tap(sf::Keyboard::Up);
    harness.frames(2);
    for (int move = 0; move < 3; ++move) {
        harness.tap(sf::Keyboard::Down);
        harness.frames(2);
        EXPECT_FALSE(focusOnALockedRow()) << "key " << move;
        harness.press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        EXPECT_FALSE(focusOnALockedRow()) << "pad " << move;
    }

    const auto reopened = [&] {
        harness.tap(sf::Keyboard::Escape);
        harness.frames(2);
        return harness.openList();
    };
    RecordsFile(harness.recordsFile()).recordWin("farmhouse", Difficulty::Easy, 100.0);
    list = reopened();
    EXPECT_TRUE(list->entryButtons[1]->isEnabled()) << "an easy win opens the next level";
    EXPECT_FALSE(list->entryButtons[2]->isEnabled());
    EXPECT_NE(list->entryButtons[2]->getText().find("Locked: win The Orchard to open it"), std::string::npos);

    GameStateManager::getInstance()->settings.openAllLevels = true;
    list = reopened();
    for (std::size_t first = 0; first < LevelCatalog::shippedLevels().size();
         first += LevelListScreen::kRowsPerPage) {
        list->showPage(first);
        for (std::size_t row = 0; row < LevelListScreen::kRowsPerPage && first + row < list->catalog->size();
             ++row) {
            EXPECT_TRUE(list->entryButtons[row]->isEnabled()) << first + row;
        }
    }
    harness.waitForPage(*list);
    ASSERT_TRUE(harness.clickOn(list->entryButtons[list->catalog->size() - 1 - list->firstShown]));
    EXPECT_EQ(GameStateManager::getInstance()->mapPath, LevelCatalog::shippedLevels().back());
}

// Long names, names in other scripts and names with control characters stay inside their rows, cut after
// a whole letter, at 800x600 and in a large window alike; so do the reasons a level cannot be played. A
// broken level cannot be chosen, and Escape returns to the menu.
TEST(LevelListScreenTest, EveryRowsTextFitsItsRowCutByLettersAndABrokenLevelCannotBeChosen) {
    GameHarness harness;
    const fs::path own = playersFolder();
    RecordsFile(harness.recordsFile()).recordWin("farmhouse", Difficulty::Hard, 75.0);
    GameStateManager::getInstance()->settings.difficulty = Difficulty::Hard;
    std::string farm = readWholeFile("Assets/map.tmx");
    const std::string named = "<map version=\"1.8\"";
    const auto withName = [&](const std::string& name) {
        std::string text = farm;
        text.insert(text.find('>', text.find(named)) + 1,
                    "\n <properties><property name=\"name\" value=\"" + name + "\"/></properties>");
        return text;
    };
    std::string greek;
    for (int i = 0; i < 23; ++i) {
        greek += "Жήω";
    }
    std::ofstream(own / "greek.tmx") << withName(greek); // 69 letters
    std::ofstream(own / "tabs.tmx") << withName("Line&#10;break&#9;tab&#1;");
    std::ofstream(own / (std::string(236, 'x') + ".tmx")) << farm;
    std::string broken = farm;
    broken.replace(broken.find("source=\"interior.png\""), 22, "source=\"" + greek + ".png\"");
    std::ofstream(own / "broken.tmx") << broken;

    LevelListScreen* list = harness.openList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->entryButtons[0]->getText(), "The Farmhouse   Hard: Gold medal, best 1:15.0, won 1 time")
        << "the records at the difficulty the level would be played at";
    EXPECT_EQ(list->entryButtons[1]->getText(), "The Orchard   Hard: not won yet");
    const sf::Font& font = *list->gui.getFont();
    const std::size_t first = LevelCatalog::shippedLevels().size();
    // The row of the player's level `i`, on its page.
    const auto entry = [&](std::size_t i) -> const ui::Button& {
        return *list->entryButtons[harness.rowOf(*list, i)];
    };
    for (const sf::Vector2u size : {sf::Vector2u(800, 600), sf::Vector2u(1600, 1200)}) {
        harness.resize(size);
        const float scale = static_cast<float>(size.y) / 600.0f;
        for (std::size_t i = first; i < first + 4; ++i) {
            const ui::Button& button = entry(i);
            const std::string text = button.getText();
            const auto letters = sf::String::fromUtf8(text.begin(), text.end());
            const auto back = letters.toUtf8();
            EXPECT_EQ(std::string(back.begin(), back.end()), text) << "whole letters only: " << text;
            EXPECT_EQ(text.find_first_of("\t\n\r\x01"), std::string::npos) << text;
            const auto textSize = static_cast<unsigned>(std::round(button.getTextSize() * scale));
            EXPECT_LE(LevelListScreen::widthOf(text, font, textSize), (button.getSize().x - 20.0f) * scale)
                << text;
        }
        EXPECT_NE(entry(first + 1).getText().find("\xE2\x80\xA6"), std::string::npos)
            << "the long name ends in an ellipsis: " << entry(first + 1).getText();
        EXPECT_EQ(entry(first + 2).getText().rfind("Line break tab", 0), 0u) << entry(first + 2).getText();
    }
    EXPECT_EQ(entry(first + 3).getText().rfind("The Farmhouse (" + std::string(16, 'x'), 0), 0u)
        << "the long name shares its row with the records of the map it copies: "
        << entry(first + 3).getText();
    EXPECT_FALSE(list->entryButtons[harness.rowOf(*list, first + 3) + 1]->isVisible());
    EXPECT_FALSE(list->nextButton->isEnabled()) << "the last page";
    harness.resize({800, 600});
    const std::size_t brokenRow = harness.rowOf(*list, first);
    EXPECT_FALSE(list->entryButtons[brokenRow]->isEnabled()) << "broken.tmx cannot be played";
    ASSERT_TRUE(harness.clickOn(list->entryButtons[brokenRow]));
    ASSERT_EQ(harness.screen<LevelListScreen>(), list) << "a greyed level does not start";
    harness.tap(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(2));
    EXPECT_NE(harness.screen<StartScreen>(), nullptr);
}

// A map too large to check at once is shown as being checked, and the list goes on meanwhile; it can be
// chosen, and starts once it has been checked.
TEST(LevelListScreenTest, AHugeMapIsCheckedWhileTheListGoesOn) {
    GameHarness harness;
    std::string farm = readWholeFile("Assets/map.tmx");
    std::string decor;
    for (int i = 0; i < 300000; ++i) {
        decor += "  <object id=\"" + std::to_string(1000 + i) + "\" type=\"decor\" x=\"1\" y=\"1\"/>\n";
    }
    farm.insert(farm.rfind("</objectgroup>"), decor);
    std::ofstream(playersFolder() / "huge.tmx") << farm;
    ASSERT_TRUE(harness.frames(2));
    ASSERT_TRUE(harness.clickOn(harness.screen<StartScreen>()->gui.get("levels")));
    LevelListScreen* list = harness.screen<LevelListScreen>();
    ASSERT_NE(list, nullptr);
    const std::size_t index = LevelCatalog::shippedLevels().size();
    list->showPage(index);
    harness.frames(1);
    const std::size_t row = index - list->firstShown;
    EXPECT_EQ(list->entryButtons[row]->getText(), "huge.tmx   being checked...");
    EXPECT_TRUE(list->entryButtons[row]->isEnabled());
    EXPECT_NE(list->entryButtons[0]->getText().find("   "), std::string::npos) << "the small ones are shown";
    ASSERT_TRUE(harness.clickOn(list->entryButtons[row]));
    EXPECT_EQ(list->statusLabel->getText(), "huge.tmx is being checked; it starts once it is found playable");
    harness.framesUntil([&] { return !harness.screen<LevelListScreen>(); }, 20000);
    EXPECT_NE(harness.screen<IngameScreen>(), nullptr);
}

// Page Up and Down, Home and End and the mouse wheel turn the pages; a level deleted while the list is
// shown is named on the list when chosen, and the list shows the folder as it is.
TEST(LevelListScreenTest, PagesTurnByKeysAndWheelAndAGoneLevelIsNamed) {
    GameHarness harness;
    const fs::path own = playersFolder();
    for (int i = 1; i <= 30; ++i) {
        std::ofstream(own / ("q" + std::to_string(i) + ".tmx")) << "";
    }
    fs::copy_file("Assets/map.tmx", own / "a-mine.tmx");
    LevelListScreen* list = harness.openList();
    ASSERT_NE(list, nullptr);
    const std::size_t last =
        (list->catalog->size() - 1) / LevelListScreen::kRowsPerPage * LevelListScreen::kRowsPerPage;
    const std::string pages = " of " + std::to_string(list->pageCount());
    EXPECT_EQ(list->pageLabel->getText(), "Page 1" + pages);
    const auto wheel = [&](float delta) {
        sf::Event event{};
        event.type = sf::Event::MouseWheelScrolled;
        event.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, 400, 300};
        harness.game->queueEvent(event);
        harness.frames(2);
    };
    const std::pair<sf::Keyboard::Key, std::size_t> keys[] = {
        {sf::Keyboard::PageDown, 7},      {sf::Keyboard::End, last}, {sf::Keyboard::PageDown, last},
        {sf::Keyboard::PageUp, last - 7}, {sf::Keyboard::Home, 0},   {sf::Keyboard::PageUp, 0}};
    for (const auto& [key, first] : keys) {
        harness.tap(key);
        harness.frames(2);
        EXPECT_EQ(list->firstShown, first) << KeyNames::nameOf(key);
    }
    wheel(-1.0f);
    EXPECT_EQ(list->firstShown, 7u);
    EXPECT_EQ(list->pageLabel->getText(), "Page 2" + pages);
    wheel(1.0f);
    EXPECT_EQ(list->firstShown, 0u);

    const std::size_t mine = LevelCatalog::shippedLevels().size();
    ASSERT_EQ(list->catalog->fileName(mine), "a-mine.tmx");
    const std::size_t row = harness.rowOf(*list, mine);
    fs::remove(own / "a-mine.tmx");
    ASSERT_TRUE(harness.clickOn(list->entryButtons[row]));
    ASSERT_EQ(harness.screen<LevelListScreen>(), list) << "the list stays";
    EXPECT_EQ(list->statusLabel->getText(), "\"The Farmhouse\" is gone: a-mine.tmx was deleted or moved");
    EXPECT_EQ(list->catalog->fileName(mine), "q1.tmx") << "the folder as it is now";
}
} // namespace
