#include "map/LevelSchema.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "screens/IngameScreen.hpp"
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

namespace {
sf::Image drawnFrame(sf::RenderWindow& window, IngameScreen& screen, bool throughCanvas) {
    screen.worldCanvas.enabled = throughCanvas;
    window.clear(sf::Color::Blue);
    screen.draw(window);
    sf::Texture shot;
    shot.create(window.getSize().x, window.getSize().y);
    shot.update(window);
    return shot.copyToImage();
}

// The level drawn through the world canvas against the level drawn straight into the window: the tiles
// match pixel for pixel at the game's window sizes, with the camera on whole world pixels and between them.
// The sprites are hidden here: between two world pixels the canvas shows them on whole ones.
TEST(WorldCanvasTest, TilesMatchTheStraightDrawingAtEverySizeAndCameraPlace) {
    GameHarness harness;
    GameStateManager::getInstance()->setState(GameStateManager::kIngameScreen);
    IngameScreen* screen = harness.screen<IngameScreen>();
    ASSERT_NE(screen, nullptr);
    RenderManager::getInstance()->layerVisible.at(LevelSchema::kObjectGroup) = false;
    auto player = GameObjectManager::getInstance()->getGameObject(LevelSchema::kPlayerName);
    sf::RenderWindow& window = harness.window();
    for (const sf::Vector2u size :
         {sf::Vector2u(800, 600), sf::Vector2u(1600, 900), sf::Vector2u(1920, 1080)}) {
        window.setSize(size);
        harness.frames(1);
        for (const sf::Vector2f at :
             {sf::Vector2f(600, 500), sf::Vector2f(600.37f, 499.61f), sf::Vector2f(40, 914)}) {
            player->setPosition(at);
            const sf::Image straight = drawnFrame(window, *screen, false);
            const sf::Image canvas = drawnFrame(window, *screen, true);
            const std::size_t bytes = std::size_t(size.x) * size.y * 4;
            const std::size_t first =
                std::mismatch(straight.getPixelsPtr(), straight.getPixelsPtr() + bytes, canvas.getPixelsPtr())
                    .first -
                straight.getPixelsPtr();
            EXPECT_EQ(first, bytes) << size.x << "x" << size.y << ", player at " << at.x << ", " << at.y
                                    << ": first difference at (" << first / 4 % size.x << ", "
                                    << first / 4 / size.x << ")";
        }
    }
}
} // namespace
