#include "app/SceneRegistries.hpp"
#include "scene/GameObjectManager.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/GameHarness.hpp"

#include <SFML/System/Sleep.hpp>
#include <gtest/gtest.h>

namespace {
TEST(GameStateManagerTest, StartsOnTheMenuSwitchesByNumberAndOnlyTheMenuClearsTheLevelOutcome) {
    GameHarness harness;
    GameStateManager* states = GameStateManager::getInstance();
    ASSERT_NE(harness.screen<StartScreen>(), nullptr);

    states->setState(GameStateManager::kControlsScreen);
    EXPECT_NE(harness.screen<ControlsScreen>(), nullptr);
    states->setState(7);
    states->setState(-1);
    EXPECT_NE(harness.screen<ControlsScreen>(), nullptr) << "unknown numbers change nothing";

    states->won = states->hasFormula = states->levelComplete = true;
    states->setState(GameStateManager::kEndScreen);
    EXPECT_TRUE(states->won && states->hasFormula && states->levelComplete);
    states->setState(GameStateManager::kStartScreen);
    EXPECT_FALSE(states->won || states->hasFormula || states->levelComplete);

    // Leaving a picture screen empties the registries before the next screen is built.
    states->setState(GameStateManager::kCreditsScreen);
    GameObjectManager::getInstance()->addGameObject("leftover",
                                                    std::make_shared<GameObject>("x", "y", sf::Vector2f()));
    std::weak_ptr<GameState> credits = states->currentState;

    states->setState(GameStateManager::kControlsScreen);
    EXPECT_TRUE(credits.expired()) << "the old screen is released once the new one runs";
    EXPECT_TRUE(GameObjectManager::getInstance()->gameObjects.empty());
}

TEST(GameTest, FrameTimeIsCappedAfterAStall) {
    RealtimeInput::reset();
    Game game;
    game.start();
    game.runFrame();
    sf::sleep(sf::milliseconds(200));
    game.runFrame();
    EXPECT_LE(game.deltaTime, Game::kMaxFrameTime);
    EXPECT_GT(game.deltaTime, 0.0f);
}
} // namespace
