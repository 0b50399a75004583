#include "map/LevelSchema.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "screens/IngameScreen.hpp"
#include "support/GameHarness.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace {
sf::Image drawnFrame(GameHarness& harness, IngameScreen& screen, bool throughCache) {
    screen.tileCache.enabled = throughCache;
    harness.window().clear(sf::Color::Blue);
    screen.draw(harness.window());
    return harness.capture();
}

double differingShare(const sf::Image& a, const sf::Image& b) {
    const std::size_t pixels = std::size_t(a.getSize().x) * a.getSize().y;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pixels * 4; i += 4) {
        differing += std::equal(a.getPixelsPtr() + i, a.getPixelsPtr() + i + 4, b.getPixelsPtr() + i) ? 0 : 1;
    }
    return static_cast<double>(differing) / static_cast<double>(pixels);
}

// The level drawn with its tiles from the cache against the level drawn straight into the window, at the
// game's window sizes, outside and inside, the tiles redrawn into the cache whenever the view or the layers
// shown change. With the camera between world pixels the pictures are the same. With the camera on whole
// world pixels some window pixel centres fall exactly on the edge between two texels, where the straight
// drawing rounds each tile its own way: some of those pixels show the texel on the other side of the edge.
TEST(TileCacheTest, TheLevelLooksAsDrawnStraightAtEverySizeCameraPlaceAndLayers) {
    GameHarness harness;
    GameStateManager::getInstance()->setState(GameStateManager::kIngameScreen);
    IngameScreen* screen = harness.screen<IngameScreen>();
    ASSERT_NE(screen, nullptr);
    auto player = GameObjectManager::getInstance()->getGameObject(LevelSchema::kPlayerName);
    const sf::Vector2f places[] = {{600.37f, 499.61f}, {600, 500}, {803.71f, 612.13f}, {40, 914}};
    for (const sf::Vector2u size :
         {sf::Vector2u(800, 600), sf::Vector2u(1600, 900), sf::Vector2u(1920, 1080)}) {
        harness.window().setSize(size);
        harness.frames(1);
        RenderManager::getInstance()->showOutside();
        for (const sf::Vector2f at : places) {
            player->setPosition(at);
            const double share =
                differingShare(drawnFrame(harness, *screen, false), drawnFrame(harness, *screen, true));
            const bool onWholePixels = at.x == std::floor(at.x) && at.y == std::floor(at.y);
            EXPECT_LE(share, onWholePixels ? 0.08 : 0.0)
                << size.x << "x" << size.y << ", player at " << at.x << ", " << at.y;
            RenderManager::getInstance()->showInside();
        }
    }
}
} // namespace
