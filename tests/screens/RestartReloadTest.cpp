#include "app/GameStateManager.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/BrokenAssets.hpp"
#include "support/ErrCapture.hpp"
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

// A designer saves the level in Tiled while the game runs and presses the restart key: the level starts
// again from the file as it now is on disk, or, when the save broke it, the game says why and goes back to
// the menu.

TEST(RestartReloadTest, TheRestartKeyPlaysTheMapAsSavedSinceAndLeavesABrokenOneForTheMenu) {
    BrokenAssets assets; // a private Assets/ holding the small test level
    ErrCapture errors;
    GameHarness harness;
    const auto restart = [&] {
        harness.press(sf::Keyboard::Escape);
        harness.press(sf::Keyboard::R);
    };
    const auto formulaPosition = [] { return GameHarness::object("formula")->getPosition(); };
    ASSERT_TRUE(harness.frames(1));
    GameStateManager::getInstance()->setState(GameStateManager::kIngameScreen);
    // The copy as it is plays without a word, so every case of the bad-input catalogue is caused by its
    // one change alone. Its goal, borders and exit share the empty name, so each replaces the last in the
    // name registry while its collider stays in play: those objects must outlive the level's first frames.
    ASSERT_TRUE(harness.frames(3));
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr) << errors.text();
    EXPECT_EQ(errors.text().find("error"), std::string::npos) << errors.text();
    EXPECT_EQ(errors.text().find("Failed"), std::string::npos) << errors.text();
    const sf::Vector2f before = formulaPosition();

    ASSERT_TRUE(BrokenAssets::edit("map.tmx", "name=\"formula\" type=\"formula\" x=\"48\"",
                                   "name=\"formula\" type=\"formula\" x=\"16\""));
    harness.frames(2);
    EXPECT_EQ(formulaPosition(), before) << "the running level keeps the map it was started with";
    restart();
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr) << errors.text();
    EXPECT_EQ(formulaPosition(), before - sf::Vector2f(32.0f, 0.0f));

    ASSERT_TRUE(BrokenAssets::edit("map.tmx", "type=\"goal\"", "type=\"gaol\""));
    errors.clear();
    restart();
    EXPECT_NE(harness.screen<StartScreen>(), nullptr) << "back to the menu";
    const std::string text = errors.text();
    EXPECT_NE(text.find(": error: type \"goal\": no object has it; the level needs at least one\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Assets/map.tmx: the game cannot play this map\n"), std::string::npos) << text;
}
