// Taps shorter than a frame: the press and the release both arrive between two frames, so the keyboard
// already reads the key as released when the frame samples it. Such a tap counts in that frame, once.
#include "components/LayEggComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

namespace {

TEST(KeyTapTest, ActionsSeeATapInOneFrameOnly) {
    GameHarness harness;
    ASSERT_TRUE(harness.frames(1));
    GameStateManager::getInstance()->setState(GameStateManager::kIngameScreen);
    ASSERT_TRUE(harness.frames(2));
    auto* level = harness.screen<IngameScreen>();
    ASSERT_NE(level, nullptr);

    harness.tap(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(5));
    EXPECT_TRUE(level->paused) << "one tap pauses, and does not unpause again";
    harness.tap(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(5));
    EXPECT_FALSE(level->paused);

    GameObjectManager* objects = GameObjectManager::getInstance();
    auto stock = objects->getGameObject("player1")->getComponent<LayEggComponent>();
    stock->eggStock.push_back(objects->getGameObject("egg1")->colliders[0]);
    stock->eggStock.push_back(objects->getGameObject("egg2")->colliders[0]);
    harness.tap(sf::Keyboard::E);
    ASSERT_TRUE(harness.frames(5));
    EXPECT_EQ(stock->eggStock.size(), 1u) << "one tap lays one egg";
}

} // namespace
