#include "screens/StartScreen.hpp"

#include "assets/AssetManager.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/OptionsScreen.hpp"
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

namespace {
class StartScreenTest : public ::testing::Test {
protected:
    void clickWidget(const std::string& name) {
        ASSERT_TRUE(harness.clickOn(harness.screen<StartScreen>()->gui.get(name))) << name;
    }
    GameHarness harness;
};

TEST_F(StartScreenTest, MusicPlaysAtFirstStartAndTheAudioBoxMutesEverythingAcrossScreens) {
    ASSERT_TRUE(harness.frames(1));
    AssetManager* assets = AssetManager::getInstance();
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 10.0f);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 50.0f);
    EXPECT_EQ(assets->music->getStatus(), sf::SoundSource::Playing);
    EXPECT_TRUE(harness.screen<StartScreen>()->audioCheckBox->isChecked());
    EXPECT_TRUE(assets->hasSoundBuffer("buttonClick") && assets->hasSoundBuffer("shoot"));

    clickWidget("audio");
    EXPECT_EQ(assets->effectsVolume(), 0.0f);
    EXPECT_EQ(assets->music->getVolume(), 0.0f);
    ASSERT_TRUE(harness.frames(1));
    EXPECT_FALSE(harness.screen<StartScreen>()->audioCheckBox->isChecked());

    clickWidget("controls");
    ASSERT_NE(harness.screen<ControlsScreen>(), nullptr);
    harness.hold(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(2));
    harness.hold(sf::Keyboard::Escape, false);
    ASSERT_NE(harness.screen<StartScreen>(), nullptr) << "Escape returns from the picture";
    EXPECT_EQ(assets->music->getVolume(), 0.0f);
    EXPECT_FALSE(harness.screen<StartScreen>()->audioCheckBox->isChecked());

    clickWidget("audio");
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 10.0f);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 50.0f);
}

TEST_F(StartScreenTest, KeysOpenTheOptionsAndEscapeLeavesThem) {
    for (sf::Keyboard::Key code :
         {sf::Keyboard::Down, sf::Keyboard::Down, sf::Keyboard::Down, sf::Keyboard::Enter}) {
        harness.game->queueEvent(keyPress(code));
        harness.frames(2);
    }
    ASSERT_NE(harness.screen<OptionsScreen>(), nullptr);
    harness.game->queueEvent(keyPress(sf::Keyboard::Escape));
    harness.frames(2);
    EXPECT_NE(harness.screen<StartScreen>(), nullptr);
}

TEST_F(StartScreenTest, APressAndAMoveInOneFrameStillClick) {
    const sf::Vector2i exit = GameHarness::centreOf(*harness.screen<StartScreen>()->gui.get("exit"));
    harness.click(exit);
    harness.game->queueEvent(mouseMove(exit.x + 1, exit.y));
    harness.frames(3);
    EXPECT_FALSE(harness.window().isOpen()) << "exit closes the window";
    EXPECT_EQ(harness.game->exitStatus(), 0);
}
} // namespace
