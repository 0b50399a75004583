#include "map/TileLayerBuilder.hpp"
#include "map/TmxReader.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace {
const std::string kAssets = std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/";

// A made-up level for when the real one is not there: two tilesets of noisy,
// partly transparent tiles, and four layers of different fullness.
TileMap madeUpLevel() {
    TileMap map;
    map.width = 70;
    map.height = 50;
    map.tileWidth = map.tileHeight = 16;
    map.tilesets = {{1, "ground", 16, 16, "ground.png"}, {65, "things", 16, 16, "things.png"}};
    std::mt19937 dice(11);
    const int fullness[] = {100, 60, 90, 15};
    for (int layer = 0; layer < 4; ++layer) {
        TileLayer tiles{"layer" + std::to_string(layer), map.width, map.height, {}};
        for (int cell = 0; cell < map.width * map.height; ++cell) {
            tiles.tiles.push_back(static_cast<int>(dice() % 100) < fullness[layer] ? 1 + dice() % 128 : 0);
        }
        map.layers.push_back(tiles);
    }
    return map;
}

std::shared_ptr<sf::Texture> noisyTileset(unsigned seed) {
    std::mt19937 dice(seed);
    sf::Image image;
    image.create(128, 128);
    const sf::Uint8 alphas[] = {0, 90, 255, 255};
    for (unsigned y = 0; y < 128; ++y) {
        for (unsigned x = 0; x < 128; ++x) {
            image.setPixel(x, y, sf::Color(dice() % 256, dice() % 256, dice() % 256, alphas[dice() % 4]));
        }
    }
    auto texture = std::make_shared<sf::Texture>();
    texture->loadFromImage(image);
    return texture;
}

class LayerChunkTest : public ::testing::Test {
protected:
    void SetUp() override {
        const bool realLevel = std::ifstream(kAssets + "map.tmx").good();
        if (realLevel) {
            map = readTileMapFile(kAssets + "map.tmx");
        } else {
            map = std::make_unique<TileMap>(madeUpLevel());
        }
        ASSERT_TRUE(map);
        const TileLayerBuilder builder(*map, {0.0f, 0.0f}, kAssets);
        if (realLevel) {
            textures = builder.loadTilesetTextures();
        } else {
            textures = {{"ground", noisyTileset(1)}, {"things", noisyTileset(2)}};
        }
        for (const TileLayer& tiles : map->layers) {
            layers.push_back(std::make_shared<LayerComponent>(nullptr, builder.buildLayer(tiles, textures),
                                                              tiles.name, true));
        }
        ASSERT_TRUE(canvas.create(800, 600));
    }
    void TearDown() override { RenderManager::destroyInstance(); }

    sf::Image render(const sf::View& view, bool chunked) {
        canvas.setView(view);
        canvas.clear(sf::Color::Blue);
        for (const auto& layer : layers) {
            chunked ? layer->drawChunks(canvas) : layer->drawPlain(canvas);
        }
        canvas.display();
        return canvas.getTexture().copyToImage();
    }

    // The in-game camera: the window's view zoomed in to 0.4.
    static sf::View camera(sf::Vector2f centre, float zoom = 0.4f) {
        sf::View view({0.0f, 0.0f, 800.0f, 600.0f});
        view.zoom(zoom);
        view.setCenter(centre);
        return view;
    }

    std::unique_ptr<TileMap> map;
    TilesetTextures textures;
    std::vector<std::shared_ptr<LayerComponent>> layers;
    sf::RenderTexture canvas;
};
} // namespace

TEST_F(LayerChunkTest, ChunksDrawTheSamePixelsAsTheSpritesFromEveryCamera) {
    const float mapWidth = static_cast<float>(map->width * map->tileWidth);
    const float mapHeight = static_cast<float>(map->height * map->tileHeight);
    std::vector<sf::View> views = {camera({160.0f, 120.0f}),
                                   camera({mapWidth / 2, mapHeight / 2}),
                                   camera({mapWidth / 3 + 0.37f, mapHeight / 2 - 7.61f}),
                                   camera({255.5f, 256.25f}),
                                   camera({mapWidth - 40.0f, mapHeight + 30.0f}),
                                   camera({-100.0f, -50.0f}),
                                   camera({mapWidth / 2, mapHeight / 2}, 3.0f)};
    views.push_back(camera({mapWidth / 2, mapHeight / 2}, 1.3f));
    views.back().setRotation(30.0f);
    for (std::size_t v = 0; v < views.size(); ++v) {
        const sf::Image plain = render(views[v], false);
        const sf::Image chunked = render(views[v], true);
        const sf::Uint8* a = plain.getPixelsPtr();
        const sf::Uint8* b = chunked.getPixelsPtr();
        const std::size_t bytes = 800 * 600 * 4;
        const std::size_t firstDifference = std::mismatch(a, a + bytes, b).first - a;
        EXPECT_EQ(firstDifference, bytes)
            << "camera " << v << " differs first at pixel (" << (firstDifference / 4) % 800 << ", "
            << (firstDifference / 4) / 800 << ")";
    }
}

TEST_F(LayerChunkTest, OnlyChunksInViewAreDrawnOnePerTextureAndBlock) {
    std::size_t spritesInChunks = 0;
    std::size_t chunkCount = 0;
    for (const auto& layer : layers) {
        for (const TileChunk& chunk : layer->getChunks()) {
            spritesInChunks += chunk.spriteCount();
            EXPECT_LE(chunk.area().width, LayerComponent::kChunkCells * map->tileWidth);
            EXPECT_LE(chunk.area().height, LayerComponent::kChunkCells * map->tileHeight);
        }
        chunkCount += layer->getChunks().size();
        spritesInChunks -= layer->sprites.size();
    }
    EXPECT_EQ(spritesInChunks, 0u) << "every sprite is in exactly one chunk";

    render(camera({200.0f, 200.0f}), true);
    std::size_t drawCalls = 0;
    for (const auto& layer : layers) {
        drawCalls += layer->lastDrawCalls();
    }
    EXPECT_GT(drawCalls, 0u);
    EXPECT_LT(drawCalls, 64u);
    EXPECT_LT(drawCalls, chunkCount);

    render(camera({-5000.0f, -5000.0f}), true);
    for (const auto& layer : layers) {
        EXPECT_EQ(layer->lastDrawCalls(), 0u) << "nothing in view, nothing drawn";
    }
}

TEST_F(LayerChunkTest, AnEmptyLayerDrawsNothing) {
    LayerComponent empty(nullptr, {}, "inside", true);
    canvas.clear(sf::Color::Blue);
    empty.drawChunks(canvas);
    canvas.display();
    EXPECT_EQ(empty.lastDrawCalls(), 0u);
    EXPECT_EQ(canvas.getTexture().copyToImage().getPixel(400, 300), sf::Color::Blue);
}
