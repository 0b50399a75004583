#include "screens/StartScreen.hpp"

#include "assets/AssetManager.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/CreditsScreen.hpp"
#include "screens/OptionsScreen.hpp"
#include "support/GameHarness.hpp"
#include "ui/Button.hpp"

#include <gtest/gtest.h>

namespace {
sf::Vector2i centreOf(const ui::Widget& widget) {
    const sf::Vector2f centre = widget.getPosition() + widget.getSize() / 2.0f;
    return {static_cast<int>(centre.x), static_cast<int>(centre.y)};
}

class StartScreenTest : public ::testing::Test {
protected:
    void clickWidget(const std::string& name) {
        auto widget = harness.screen<StartScreen>()->gui.get(name);
        ASSERT_NE(widget, nullptr) << name;
        harness.click(centreOf(*widget));
        // The menu sees a frame's events one frame later.
        ASSERT_TRUE(harness.frames(2));
    }
    GameHarness harness;
};

TEST_F(StartScreenTest, FirstStartSetsAudioLevelsAndPlaysTheMusic) {
    ASSERT_TRUE(harness.frames(1));
    AssetManager* assets = AssetManager::getInstance();
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 10.0f);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 50.0f);
    EXPECT_EQ(assets->music->getStatus(), sf::SoundSource::Playing);
    EXPECT_TRUE(harness.screen<StartScreen>()->audioCheckBox->isChecked());
    EXPECT_TRUE(assets->hasSoundBuffer("buttonClick") && assets->hasSoundBuffer("shoot"));
}

TEST_F(StartScreenTest, ButtonsOpenThePictureScreensAndEscapeReturns) {
    clickWidget("controls");
    ASSERT_NE(harness.screen<ControlsScreen>(), nullptr);
    harness.hold(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(1));
    harness.hold(sf::Keyboard::Escape, false);
    ASSERT_NE(harness.screen<StartScreen>(), nullptr);

    clickWidget("credits");
    ASSERT_NE(harness.screen<CreditsScreen>(), nullptr);
}

TEST_F(StartScreenTest, AudioBoxMutesEverythingAndStaysMutedAcrossScreens) {
    clickWidget("audio");
    AssetManager* assets = AssetManager::getInstance();
    EXPECT_EQ(assets->effectsVolume(), 0.0f);
    EXPECT_EQ(assets->music->getVolume(), 0.0f);
    ASSERT_TRUE(harness.frames(1));
    EXPECT_FALSE(harness.screen<StartScreen>()->audioCheckBox->isChecked());

    clickWidget("controls");
    harness.hold(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(2));
    harness.hold(sf::Keyboard::Escape, false);
    EXPECT_EQ(assets->music->getVolume(), 0.0f);
    EXPECT_FALSE(harness.screen<StartScreen>()->audioCheckBox->isChecked());

    clickWidget("audio");
    EXPECT_FLOAT_EQ(assets->effectsVolume(), 10.0f);
    EXPECT_FLOAT_EQ(assets->music->getVolume(), 50.0f);
}

TEST_F(StartScreenTest, KeysAloneReachEveryButtonAndTheAudioBox) {
    const auto key = [&](sf::Keyboard::Key code, bool shift = false) {
        harness.game->queueEvent(keyPress(code, shift));
        harness.frames(2);
    };
    for (int down = 0; down < 3; ++down) {
        key(sf::Keyboard::Down);
    }
    EXPECT_EQ(harness.screen<StartScreen>()->gui.getFocused(),
              harness.screen<StartScreen>()->gui.get("options"));
    key(sf::Keyboard::Enter);
    ASSERT_NE(harness.screen<OptionsScreen>(), nullptr);
    key(sf::Keyboard::Escape);
    ASSERT_NE(harness.screen<StartScreen>(), nullptr);

    key(sf::Keyboard::Up);
    key(sf::Keyboard::Space);
    EXPECT_EQ(AssetManager::getInstance()->effectsVolume(), 0.0f) << "the audio box, last in the form";
    key(sf::Keyboard::Tab, true);
    key(sf::Keyboard::Enter);
    EXPECT_FALSE(harness.window().isOpen()) << "Shift+Tab reaches Exit";
    EXPECT_EQ(harness.game->exitStatus(), 0);
}

TEST_F(StartScreenTest, APressAndAMoveInOneFrameStillClick) {
    auto exit = harness.screen<StartScreen>()->gui.get("exit");
    ASSERT_NE(exit, nullptr);
    harness.click(centreOf(*exit));
    harness.game->queueEvent(mouseMove(centreOf(*exit).x + 1, centreOf(*exit).y));
    harness.frames(3);
    EXPECT_FALSE(harness.window().isOpen()) << "exit closes the window";
    EXPECT_EQ(harness.game->exitStatus(), 0);
}
} // namespace
