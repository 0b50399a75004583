#include "screens/StartScreen.hpp"

#include "assets/AssetManager.hpp"
#include "input/ActionTable.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/OptionsScreen.hpp"
#include "storage/SettingTable.hpp"
#include "support/GameHarness.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
// Until a win is recorded the menu points a new player to the practice. A press and a move in one frame
// still click.
TEST(StartScreenTest,
     MusicPlaysAtFirstStartKeysWalkTheOptionsByPlaceAndTheAudioBoxMutesEverythingAcrossScreens) {
    GameHarness harness;
    const auto clickWidget = [&](const std::string& name) {
        ASSERT_TRUE(harness.clickOn(harness.screen<StartScreen>()->gui.get(name))) << name;
    };
    const auto key = [&](sf::Keyboard::Key code) {
        harness.game->queueEvent(keyPress(code));
        harness.frames(2);
    };
    ASSERT_TRUE(harness.frames(1));
    AssetManager* assets = AssetManager::getInstance();
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 10.0f);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 50.0f);
    EXPECT_EQ(assets->music->getStatus(), sf::SoundSource::Playing);
    EXPECT_TRUE(harness.screen<StartScreen>()->audioCheckBox->isChecked());
    EXPECT_TRUE(assets->hasSoundBuffer("buttonClick") && assets->hasSoundBuffer("shoot"));
    const auto welcome = harness.screen<StartScreen>()->welcomeLine;
    ASSERT_TRUE(welcome) << "no records file yet";
    EXPECT_EQ(welcome->getText(), "New here? Practice teaches the basics, one thing at a time.");
    EXPECT_GT(welcome->getPosition().y, harness.screen<StartScreen>()->audioCheckBox->getPosition().y)
        << "under the buttons";

    // Every screen comes back where the player left it.
    EXPECT_EQ(harness.screen<StartScreen>()->gui.getFocused(),
              harness.screen<StartScreen>()->gui.get("start"))
        << "the fresh menu shows its focus on Start";
    for (sf::Keyboard::Key code : {sf::Keyboard::Down, sf::Keyboard::Down, sf::Keyboard::Down}) {
        key(code);
    }
    key(sf::Keyboard::Enter);
    OptionsScreen* options = harness.screen<OptionsScreen>();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->gui.getFocused(), options->sliders.at("audio.music"))
        << "opened by a key, the first item shows";
    key(sf::Keyboard::Down);
    EXPECT_EQ(options->gui.getFocused(), options->sliders.at("audio.effects"));
    key(sf::Keyboard::Down);
    EXPECT_EQ(options->gui.getFocused(), options->sliders.at("game.game_speed"));
    key(sf::Keyboard::Down);
    key(sf::Keyboard::Left);
    EXPECT_EQ(options->gui.getFocused(), options->keyButtons["LEFT"]);
    key(sf::Keyboard::Enter);
    key(sf::Keyboard::J);
    EXPECT_EQ(harness.game->gameStateManager->settings.key("LEFT"), sf::Keyboard::J);
    EXPECT_EQ(options->gui.getFocused(), options->keyButtons["LEFT"]) << "the focus stays after a capture";
    for (int press = 0; press < 12 && options->gui.getFocused() != options->resetKeysButton; ++press) {
        key(sf::Keyboard::Down);
    }
    EXPECT_EQ(options->gui.getFocused(), options->resetKeysButton) << "down the first column";
    key(sf::Keyboard::Right);
    EXPECT_EQ(options->gui.getFocused(), options->backButton) << "Back is beside it, not 13 presses away";
    key(sf::Keyboard::Escape);
    StartScreen* menu = harness.screen<StartScreen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->gui.getFocused(), menu->gui.get("options")) << "the menu comes back on Options";
    key(sf::Keyboard::Enter);
    ASSERT_NE(harness.screen<OptionsScreen>(), nullptr);
    EXPECT_EQ(harness.screen<OptionsScreen>()->gui.getFocused(), harness.screen<OptionsScreen>()->backButton);
    key(sf::Keyboard::Escape);

    clickWidget("audio");
    EXPECT_EQ(assets->effectsVolume(), 0.0f);
    EXPECT_EQ(assets->music->getVolume(), 0.0f);
    ASSERT_TRUE(harness.frames(1));
    EXPECT_FALSE(harness.screen<StartScreen>()->audioCheckBox->isChecked());

    std::filesystem::create_directories(std::filesystem::path(harness.recordsFile()).parent_path());
    std::ofstream(harness.recordsFile()) << "";
    clickWidget("controls");
    ASSERT_NE(harness.screen<ControlsScreen>(), nullptr);
    harness.holdFor(sf::Keyboard::Escape, 2);
    ASSERT_NE(harness.screen<StartScreen>(), nullptr) << "Escape returns from the picture";
    EXPECT_EQ(assets->music->getVolume(), 0.0f);
    EXPECT_FALSE(harness.screen<StartScreen>()->audioCheckBox->isChecked());
    EXPECT_FALSE(harness.screen<StartScreen>()->welcomeLine) << "once a win is kept, the menu says no more";

    clickWidget("audio");
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 10.0f);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 50.0f);

    const sf::Vector2i exit = GameHarness::centreOf(*harness.screen<StartScreen>()->gui.get("exit"));
    harness.click(exit);
    harness.game->queueEvent(mouseMove(exit.x + 1, exit.y));
    harness.frames(3);
    EXPECT_FALSE(harness.window().isOpen()) << "exit closes the window";
    EXPECT_EQ(harness.game->exitStatus(), 0);
}

// Options builds itself from the tables: every control in the picture, none over another.
TEST(OptionsScreenTest,
     EveryControlSitsInsideThePictureAndTheFullscreenBoxShowsTheWindowTheCommandLineChose) {
    GameHarness harness("", "", true);
    GameStateManager* game = GameStateManager::getInstance();
    game->setState(GameStateManager::kOptionsScreen);
    harness.frames(1);
    OptionsScreen* options = harness.screen<OptionsScreen>();
    ASSERT_NE(options, nullptr);
    for (const SettingTable::Row& row : SettingTable::rows()) {
        EXPECT_EQ(options->gui.get(row.path) != nullptr, row.control != SettingTable::Control::None)
            << row.path;
    }
    for (const ActionTable::Row& action : ActionTable::rows()) {
        EXPECT_EQ(options->gui.get("key" + action.name) != nullptr, !action.keys.empty()) << action.name;
        EXPECT_EQ(options->gui.get("pad" + action.name) != nullptr, !action.buttons.empty()) << action.name;
    }
    options->messageLine->setText("Press a pad button for Restart (Escape cancels)"); // the longest it says
    harness.frames(1);
    std::vector<sf::FloatRect> areas;
    const auto panel = options->gui.get("panel");
    ASSERT_NE(panel, nullptr);
    const sf::FloatRect inside = panel->focusArea();
    for (const auto& widget : options->gui.getWidgets()) {
        const sf::FloatRect area = widget->focusArea();
        if (area.width <= 0.0f || area.height <= 0.0f || widget == panel) {
            continue; // an empty line, or the panel under them all
        }
        EXPECT_TRUE(inside.contains(area.left, area.top) &&
                    area.left + area.width <= inside.left + inside.width &&
                    area.top + area.height <= inside.top + inside.height)
            << area.left << "," << area.top << " " << area.width << "x" << area.height;
        for (const sf::FloatRect& other : areas) {
            EXPECT_FALSE(area.intersects(other)) << area.left << "," << area.top << " " << area.width << "x"
                                                 << area.height << " over " << other.left << "," << other.top;
        }
        areas.push_back(area);
    }
    EXPECT_GT(areas.size(), 25u);

    EXPECT_TRUE(options->checkBoxes.at("window.fullscreen")->isChecked()) << "--fullscreen: ticked";
    EXPECT_FALSE(game->settings.fullscreen) << "while the saved choice stays the window";
    options->gui.setFocused(options->checkBoxes.at("window.fullscreen"));
    options->gui.move(ui::Gui::Move::Activate);
    harness.frames(1);
    EXPECT_FALSE(harness.screen<OptionsScreen>()->checkBoxes.at("window.fullscreen")->isChecked());
    EXPECT_FALSE(harness.game->isFullscreen()) << "one click brings the window back";
}
} // namespace
