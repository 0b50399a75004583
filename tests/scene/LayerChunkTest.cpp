// The shipped level's tile layers drawn by the render manager in blocks and in stacks, held pixel for pixel
// against drawing every sprite on its own.
#include "map/TileLayerBuilder.hpp"
#include "map/TmxReader.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderManager.hpp"
#include "scene/TileOpacity.hpp"
#include "scene/TileStack.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <functional>
#include <gtest/gtest.h>

namespace {
const std::string kAssets = std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/";

// The level's camera: 1000 x 1000 zoomed to 0.8 and then 0.4.
sf::View gameCamera(sf::Vector2f centre, float zoom = 0.32f, float turn = 0.0f) {
    sf::View view({0.0f, 0.0f, 1000.0f, 1000.0f});
    view.zoom(zoom);
    view.setCenter(centre);
    view.setRotation(turn);
    return view;
}

class LayerChunkTest : public ::testing::Test {
protected:
    void SetUp() override {
        map = readTileMapFile(kAssets + "map.tmx");
        ASSERT_TRUE(map);
        const TileLayerBuilder builder(*map, {0.0f, 0.0f}, kAssets);
        textures = builder.loadTilesetTextures();
        for (const TileLayer& tiles : map->layers) {
            layers.push_back(std::make_shared<LayerComponent>(nullptr, builder.buildLayer(tiles, textures),
                                                              tiles.name, true));
        }
        ASSERT_GE(layers.size(), 4u);
        ASSERT_TRUE(canvas.create(800, 600));
    }
    void TearDown() override { RenderManager::destroyInstance(); }

    enum class Way { plain, chunks, stacked };

    // What the render manager draws: every sprite on its own, each layer in blocks, or runs of layers in
    // stacks.
    sf::Image render(const sf::View& view, Way way) {
        RenderManager* renderer = RenderManager::getInstance();
        renderer->stackTileLayers = way == Way::stacked;
        for (const auto& layer : layers) {
            layer->useChunks = way != Way::plain && layer.get() != spriteBySprite;
        }
        canvas.setView(view);
        canvas.clear(sf::Color::Blue);
        renderer->drawOn(canvas);
        canvas.display();
        return canvas.getTexture().copyToImage();
    }

    static void expectSamePixels(const sf::Image& expected, const sf::Image& actual,
                                 const std::string& what) {
        const sf::Uint8* a = expected.getPixelsPtr();
        const std::size_t bytes = 800 * 600 * 4;
        const std::size_t first = std::mismatch(a, a + bytes, actual.getPixelsPtr()).first - a;
        EXPECT_EQ(first, bytes) << what << " differs first at pixel (" << (first / 4) % 800 << ", "
                                << (first / 4) / 800 << ")";
    }

    std::unique_ptr<TileMap> map;
    TilesetTextures textures;
    std::vector<std::shared_ptr<LayerComponent>> layers;
    sf::RenderTexture canvas;
    LayerComponent* spriteBySprite = nullptr; // drawn on its own however the others are drawn
};
} // namespace

// All layers, each pair the game shows together, a hidden layer between shown ones and a layer drawn sprite
// by sprite between stacked ones.
TEST_F(LayerChunkTest, ChunksAndStacksDrawTheSamePixelsAsTheSpritesFromEveryCamera) {
    RenderManager* renderer = RenderManager::getInstance();
    const std::vector<std::function<void()>> setups = {
        [] {},
        [&] { renderer->showInside(); },
        [&] { renderer->showOutside(); },
        [&] {
            for (auto& entry : renderer->layerVisible) {
                entry.second = true;
            }
            layers[2]->visible = false;
        },
        [&] {
            layers[2]->visible = true;
            spriteBySprite = layers[2].get();
        },
    };
    // The game's camera resting on the map's corners and edges, between pixels and off the map; zoomed out
    // over the whole level; and turned.
    const sf::View views[] = {gameCamera({160.0f, 160.0f}),       gameCamera({1110.0f, 860.0f}),
                              gameCamera({421.3f, 377.8f}),       gameCamera({255.5f, 256.25f}),
                              gameCamera({-100.0f, -50.0f}),      gameCamera({1200.0f, 1030.0f}),
                              gameCamera({640.0f, 512.0f}, 2.4f), gameCamera({640.0f, 512.0f}, 1.0f, 30.0f)};
    for (std::size_t s = 0; s < setups.size(); ++s) {
        setups[s]();
        for (std::size_t v = 0; v < std::size(views); ++v) {
            const std::string where = "setup " + std::to_string(s) + ", camera " + std::to_string(v);
            const sf::Image plain = render(views[v], Way::plain);
            if (s == 0) {
                expectSamePixels(plain, render(views[v], Way::chunks), "chunks, " + where);
            }
            expectSamePixels(plain, render(views[v], Way::stacked), "stacks, " + where);
        }
    }
}

TEST_F(LayerChunkTest, AStackLeavesOutOnlyTilesUnderFullyOpaqueUntintedTilesOfTheSameSquare) {
    std::vector<LayerComponent*> all;
    std::size_t sprites = 0;
    for (const auto& layer : layers) {
        all.push_back(layer.get());
        sprites += layer->sprites.size();
    }
    const TileStack stack(all);
    EXPECT_LT(stack.tileCount(), sprites) << "the shipped level hides some tiles under others";
    EXPECT_GE(stack.tileCount(), layers.back()->sprites.size()) << "the front layer is never covered";

    // Moving the front layer by a pixel uncovers everything it covered.
    std::vector<std::shared_ptr<sf::Sprite>> shifted;
    for (const auto& sprite : layers.back()->sprites) {
        shifted.push_back(std::make_shared<sf::Sprite>(*sprite));
        shifted.back()->move(1.0f, 0.0f);
    }
    LayerComponent front(nullptr, shifted, "outside2", true);
    all.pop_back();
    const std::size_t tilesBehind = TileStack(all).tileCount();
    all.push_back(&front);
    EXPECT_EQ(TileStack(all).tileCount(), tilesBehind + shifted.size());

    // Only fully opaque, untinted tiles hide what is under them.
    sf::Image image;
    image.create(48, 16, sf::Color::Green);
    image.setPixel(32, 8, sf::Color(0, 255, 0, 254)); // inside the third tile, one texel off the second
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(image));
    TileOpacity opacity;
    sf::Sprite first(texture, {0, 0, 16, 16});
    EXPECT_TRUE(opacity.hides(first));
    EXPECT_FALSE(opacity.hides(sf::Sprite(texture, {16, 0, 16, 16})))
        << "its edge pixels may sample the see-through neighbour";
    EXPECT_FALSE(opacity.hides(sf::Sprite(texture, {32, 0, 16, 16})));
    first.setColor(sf::Color(255, 255, 255, 200));
    EXPECT_FALSE(opacity.hides(first));
    first.setColor(sf::Color::White);
    texture.setSmooth(true);
    EXPECT_FALSE(opacity.hides(first));
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

    render(gameCamera({200.0f, 200.0f}), Way::chunks);
    std::size_t drawCalls = 0;
    for (const auto& layer : layers) {
        drawCalls += layer->lastDrawCalls();
    }
    EXPECT_GT(drawCalls, 0u);
    EXPECT_LT(drawCalls, chunkCount);

    render(gameCamera({-5000.0f, -5000.0f}), Way::chunks);
    LayerComponent empty(nullptr, {}, "inside", true);
    empty.drawChunks(canvas);
    for (const auto& layer : layers) {
        EXPECT_EQ(layer->lastDrawCalls(), 0u) << "nothing in view, nothing drawn";
    }
    EXPECT_EQ(empty.lastDrawCalls(), 0u);
}
