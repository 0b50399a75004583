#include "scene/CameraComponent.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/GameHarness.hpp"
#include "support/VirtualPad.hpp"

#include <gtest/gtest.h>
#include <sstream>

// From the pause, a key restarts the level and another leaves it for the menu. The keys here are ones the
// player bound in the settings file; the default ones are played by the restart and end-to-end tests.
namespace {
const auto object = GameHarness::object;

TEST(PauseMenuTest, RestartPutsEverythingBackAndMenuLeavesTheLevelWithTheKeysThePlayerBound) {
    GameHarness harness("[keys]\nPAUSE = \"P\"\nRESTART = \"F5\"\nMENU = \"Num1\"\nLEFT = \"Q\"\n");
    ASSERT_TRUE(harness.startLevel());
    const sf::Vector2f playerStart = object("player1")->getPosition();
    const sf::Vector2f dogStart = object("enemy1")->getPosition();
    const sf::Vector2f eggStart = object("egg1")->getPosition();

    harness.holdFor(sf::Keyboard::D, 40);
    GameHarness::giveEgg();
    object("egg1")->setPosition(object("player1")->getPosition());
    harness.frames(1);
    ASSERT_NE(object("player1")->getPosition(), playerStart);
    ASSERT_NE(object("enemy1")->getPosition(), dogStart);
    ASSERT_EQ(harness.screen<IngameScreen>()->eggCounter->getText(), "1x");

    harness.press(sf::Keyboard::F5);
    EXPECT_NE(object("player1")->getPosition(), playerStart) << "the restart key does nothing unpaused";
    harness.press(sf::Keyboard::P);
    ASSERT_TRUE(harness.screen<IngameScreen>()->paused);
    harness.press(sf::Keyboard::F5);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    EXPECT_FALSE(harness.screen<IngameScreen>()->paused);
    EXPECT_EQ(object("player1")->getPosition(), playerStart);
    EXPECT_EQ(object("egg1")->getPosition(), eggStart);
    EXPECT_EQ(harness.screen<IngameScreen>()->eggCounter->getText(), "0x");
    const float dogMoved = std::abs(object("enemy1")->getPosition().x - dogStart.x) +
                           std::abs(object("enemy1")->getPosition().y - dogStart.y);
    EXPECT_LT(dogMoved, 5.0f) << "the dog starts its round again";

    harness.press(sf::Keyboard::P);
    harness.press(sf::Keyboard::Num1);
    EXPECT_NE(harness.screen<StartScreen>(), nullptr) << "the menu is shown";
}

TEST(PauseMenuTest, EscapeOrALostFocusPausesEverythingButTheCounterAndTheKeyStripFitsThePicture) {
    GameHarness harness("[keys]\nPAUSE = \"P\"\nMENU = \"Numpad1\"\n");
    ASSERT_TRUE(harness.startLevel());
    IngameScreen* level = harness.screen<IngameScreen>();
    harness.frames(30);
    harness.game->queueEvent(focusLost());
    harness.frames(2);
    EXPECT_TRUE(level->paused) << "another window took the focus";
    const std::string stopped = level->clockText->getText();
    harness.game->queueEvent(focusGained());
    harness.frames(90);
    EXPECT_TRUE(level->paused) << "coming back does not resume by itself";
    EXPECT_EQ(level->clockText->getText(), stopped) << "the clock stood still";
    const sf::Vector2f dogBefore = object("enemy1")->getPosition();
    const sf::Vector2f playerBefore = object("player1")->getPosition();
    harness.holdFor(sf::Keyboard::D, 60);
    EXPECT_EQ(object("enemy1")->getPosition(), dogBefore);
    EXPECT_EQ(object("player1")->getPosition(), playerBefore);
    // Near the player, but wholly inside the view even with the camera resting on the map's edge.
    const sf::View& view = object("camera")->getComponent<CameraComponent>()->view;
    const sf::FloatRect seen(view.getCenter() - view.getSize() / 2.0f, view.getSize());
    const sf::Vector2f pauseCorner = level->pauseObject->getPosition();
    EXPECT_TRUE(seen.contains(pauseCorner) && seen.contains(pauseCorner + sf::Vector2f(239.9f, 99.9f)));
    EXPECT_LT(std::abs(pauseCorner.x - (playerBefore.x - 120)) +
                  std::abs(pauseCorner.y - (playerBefore.y - 50)),
              160.0f);
    GameHarness::giveEgg("egg2");
    harness.frames(1);
    EXPECT_EQ(level->eggCounter->getText(), "1x") << "the counter follows the hand";

    const auto fitsThePicture = [&](const char* when) {
        const sf::FloatRect strip(level->boundKeys->getPosition(), level->boundKeys->getSize());
        EXPECT_TRUE(strip.left >= 0 && strip.left + strip.width <= 800 && strip.top >= 300 &&
                    strip.top + strip.height <= 600)
            << when << ": inside the picture, along its bottom";
        std::istringstream lines(level->boundKeys->getText());
        for (std::string line; std::getline(lines, line);) {
            EXPECT_NE(line.find("    "), std::string::npos) << when << ": no action left alone on a line";
        }
    };
    fitsThePicture("keys");
    VirtualPad pad(VirtualPad::kPlayStation4);
    harness.frames(2);
    harness.tilt(pad, SDL_CONTROLLER_AXIS_LEFTX, 0.9f);
    EXPECT_NE(level->boundKeys->getText().find("Cross"), std::string::npos) << "the pad in use is named";
    fitsThePicture("the pad's buttons");
    harness.press(sf::Keyboard::W);

    harness.press(sf::Keyboard::P);
    EXPECT_FALSE(level->paused);
    harness.frames(10);
    EXPECT_NE(object("enemy1")->getPosition(), dogBefore);
    EXPECT_NE(level->clockText->getText(), stopped);
    harness.holdFor(sf::Keyboard::Escape, 30);
    harness.frames(1);
    EXPECT_TRUE(level->paused) << "Escape pauses whatever PAUSE is bound to, once however long it is held";
    harness.press(sf::Keyboard::Escape);
    EXPECT_FALSE(level->paused) << "and goes on";
}

} // namespace
