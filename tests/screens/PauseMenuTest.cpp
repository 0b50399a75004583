#include "components/LayEggComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

// From the pause, a key restarts the level and another leaves it for the menu,
// with the default keys and with keys the player bound in the settings file.
namespace {

struct PauseKeys {
    const char* settings;
    sf::Keyboard::Key pause;
    sf::Keyboard::Key restart;
    sf::Keyboard::Key menu;
};

const PauseKeys kDefaultKeys{"", sf::Keyboard::Escape, sf::Keyboard::R, sf::Keyboard::Q};
const PauseKeys kBoundKeys{"[keys]\nPAUSE = \"P\"\nRESTART = \"F5\"\nMENU = \"Num1\"\nLEFT = \"Q\"\n",
                           sf::Keyboard::P, sf::Keyboard::F5, sf::Keyboard::Num1};

const auto object = GameHarness::object;

class PauseMenuTest : public ::testing::TestWithParam<PauseKeys> {};

TEST_P(PauseMenuTest, RestartPutsEverythingBackAndMenuLeavesTheLevel) {
    GameHarness harness(GetParam().settings);
    ASSERT_TRUE(harness.startLevel());
    const sf::Vector2f playerStart = object("player1")->getPosition();
    const sf::Vector2f dogStart = object("enemy1")->getPosition();
    const sf::Vector2f eggStart = object("egg1")->getPosition();

    harness.hold(sf::Keyboard::D);
    harness.frames(40);
    harness.hold(sf::Keyboard::D, false);
    object("player1")->getComponent<LayEggComponent>()->eggStock.push_back(object("egg1")->colliders[0]);
    object("egg1")->setPosition(object("player1")->getPosition());
    harness.frames(1);
    ASSERT_NE(object("player1")->getPosition(), playerStart);
    ASSERT_NE(object("enemy1")->getPosition(), dogStart);
    ASSERT_EQ(harness.screen<IngameScreen>()->eggCounter->getText(), "1x");

    harness.press(GetParam().restart);
    EXPECT_NE(object("player1")->getPosition(), playerStart) << "the restart key does nothing unpaused";
    harness.press(GetParam().pause);
    ASSERT_TRUE(harness.screen<IngameScreen>()->paused);
    harness.press(GetParam().restart);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    EXPECT_FALSE(harness.screen<IngameScreen>()->paused);
    EXPECT_EQ(object("player1")->getPosition(), playerStart);
    EXPECT_EQ(object("egg1")->getPosition(), eggStart);
    EXPECT_EQ(harness.screen<IngameScreen>()->eggCounter->getText(), "0x");
    const float dogMoved = std::abs(object("enemy1")->getPosition().x - dogStart.x) +
                           std::abs(object("enemy1")->getPosition().y - dogStart.y);
    EXPECT_LT(dogMoved, 5.0f) << "the dog starts its round again";

    harness.press(GetParam().pause);
    harness.press(GetParam().menu);
    EXPECT_NE(harness.screen<StartScreen>(), nullptr) << "the menu is shown";
}

INSTANTIATE_TEST_SUITE_P(Keys, PauseMenuTest, ::testing::Values(kDefaultKeys, kBoundKeys),
                         [](const auto& info) { return info.index == 0 ? "Default" : "Bound"; });
} // namespace
