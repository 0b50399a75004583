#include "map/TileLayerBuilder.hpp"
#include "map/TmxReader.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderManager.hpp"
#include "scene/TileOpacity.hpp"
#include "scene/TileStack.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <cstring>
#include <fstream>
#include <functional>
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

    enum class Way { plain, chunks, stacked };

    // Draws the chosen layers (all by default) back to front.
    sf::Image render(const sf::View& view, Way way, std::vector<LayerComponent*> shown = {}) {
        if (shown.empty()) {
            for (const auto& layer : layers) {
                shown.push_back(layer.get());
            }
        }
        canvas.setView(view);
        canvas.clear(sf::Color::Blue);
        if (way == Way::stacked) {
            TileStack(shown).draw(canvas);
        }
        for (LayerComponent* layer : shown) {
            if (way == Way::plain) {
                layer->drawPlain(canvas);
            } else if (way == Way::chunks) {
                layer->drawChunks(canvas);
            }
        }
        canvas.display();
        return canvas.getTexture().copyToImage();
    }

    static void expectSamePixels(const sf::Image& expected, const sf::Image& actual,
                                 const std::string& what) {
        const sf::Uint8* a = expected.getPixelsPtr();
        const sf::Uint8* b = actual.getPixelsPtr();
        const std::size_t bytes = 800 * 600 * 4;
        const std::size_t firstDifference = std::mismatch(a, a + bytes, b).first - a;
        EXPECT_EQ(firstDifference, bytes)
            << what << " differs first at pixel (" << (firstDifference / 4) % 800 << ", "
            << (firstDifference / 4) / 800 << ")";
    }

    // Cameras across, beyond and around the level: the game's own (320 x 320
    // stretched over the window, resting on its bounds or between pixels),
    // zoomed out, off the map and turned.
    std::vector<sf::View> cameras() const {
        const float mapWidth = static_cast<float>(map->width * map->tileWidth);
        const float mapHeight = static_cast<float>(map->height * map->tileHeight);
        std::vector<sf::View> views = {camera({160.0f, 120.0f}),
                                       camera({mapWidth / 2, mapHeight / 2}),
                                       camera({mapWidth / 3 + 0.37f, mapHeight / 2 - 7.61f}),
                                       camera({255.5f, 256.25f}),
                                       camera({mapWidth - 40.0f, mapHeight + 30.0f}),
                                       camera({-100.0f, -50.0f}),
                                       camera({mapWidth / 2, mapHeight / 2}, 3.0f),
                                       camera({mapWidth / 2, mapHeight / 2}, 1.3f)};
        views.back().setRotation(30.0f);
        std::mt19937 dice(5);
        std::uniform_real_distribution<float> x(160.0f, 1110.0f), y(160.0f, 860.0f);
        const sf::Vector2f gameCentres[] = {{160.0f, 160.0f},   {1110.0f, 860.0f},  {640.0f, 512.0f},
                                            {421.3f, 377.8f},   {x(dice), y(dice)}, {x(dice), y(dice)},
                                            {x(dice), y(dice)}, {x(dice), y(dice)}};
        for (const sf::Vector2f& centre : gameCentres) {
            views.push_back(gameCamera(centre));
        }
        for (int i = 0; i < 12; ++i) {
            views.push_back(gameCamera({x(dice), y(dice)}));
        }
        return views;
    }

    // The in-game camera: the window's view zoomed in to 0.4.
    static sf::View camera(sf::Vector2f centre, float zoom = 0.4f) {
        sf::View view({0.0f, 0.0f, 800.0f, 600.0f});
        view.zoom(zoom);
        view.setCenter(centre);
        return view;
    }

    // The level's camera: 1000 x 1000 zoomed to 0.8 and then 0.4.
    static sf::View gameCamera(sf::Vector2f centre) {
        sf::View view;
        view.zoom(0.8f);
        view.zoom(0.4f);
        view.setCenter(centre);
        return view;
    }

    std::unique_ptr<TileMap> map;
    TilesetTextures textures;
    std::vector<std::shared_ptr<LayerComponent>> layers;
    sf::RenderTexture canvas;
};
} // namespace

TEST_F(LayerChunkTest, ChunksAndStacksDrawTheSamePixelsAsTheSpritesFromEveryCamera) {
    const std::vector<sf::View> views = cameras();
    for (std::size_t v = 0; v < views.size(); ++v) {
        const sf::Image plain = render(views[v], Way::plain);
        expectSamePixels(plain, render(views[v], Way::chunks), "chunks, camera " + std::to_string(v));
        expectSamePixels(plain, render(views[v], Way::stacked), "stack, camera " + std::to_string(v));
    }
}

TEST_F(LayerChunkTest, StacksOfEachPairAndOfLayersWithGapsDrawTheSamePixels) {
    ASSERT_GE(layers.size(), 4u);
    const std::vector<std::vector<LayerComponent*>> stacks = {{layers[0].get(), layers[1].get()},
                                                              {layers[2].get(), layers[3].get()},
                                                              {layers[0].get(), layers[3].get()},
                                                              {layers[3].get(), layers[2].get()}};
    const std::vector<sf::View> views = cameras();
    for (std::size_t s = 0; s < stacks.size(); ++s) {
        for (std::size_t v = 0; v < views.size(); v += 3) {
            expectSamePixels(render(views[v], Way::plain, stacks[s]),
                             render(views[v], Way::stacked, stacks[s]),
                             "stack " + std::to_string(s) + ", camera " + std::to_string(v));
        }
    }
}

TEST_F(LayerChunkTest, AStackLeavesOutOnlyTilesUnderOpaqueTilesOfTheSameSquare) {
    std::vector<LayerComponent*> all;
    std::size_t sprites = 0;
    for (const auto& layer : layers) {
        all.push_back(layer.get());
        sprites += layer->sprites.size();
    }
    const TileStack stack(all);
    EXPECT_LE(stack.tileCount(), sprites);
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
}

TEST_F(LayerChunkTest, OnlyFullyOpaqueUntintedTilesHideWhatIsUnderThem) {
    sf::Image image;
    image.create(48, 16, sf::Color::Green);
    image.setPixel(32, 8, sf::Color(0, 255, 0, 254)); // inside the third tile, one texel off the second
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(image));
    TileOpacity opacity;
    sf::Sprite first(texture, {0, 0, 16, 16});
    sf::Sprite second(texture, {16, 0, 16, 16});
    sf::Sprite third(texture, {32, 0, 16, 16});
    EXPECT_TRUE(opacity.hides(first));
    EXPECT_FALSE(opacity.hides(second)) << "its edge pixels may sample the see-through neighbour";
    EXPECT_FALSE(opacity.hides(third));
    first.setColor(sf::Color(255, 255, 255, 200));
    EXPECT_FALSE(opacity.hides(first));
    first.setColor(sf::Color::White);
    texture.setSmooth(true);
    EXPECT_FALSE(opacity.hides(first));
}

// The render manager through a real window, stacks against every layer drawn
// in blocks on its own: the game's layer pairs shown and hidden, a hidden
// component and a layer drawn sprite by sprite between stacked ones.
TEST_F(LayerChunkTest, TheRenderManagerDrawsTheSamePixelsWithAndWithoutStacks) {
    sf::RenderWindow window(sf::VideoMode(800, 600), "Pellowick");
    ASSERT_TRUE(window.isOpen());
    RenderManager* renderer = RenderManager::getInstance();
    const auto frame = [&](sf::Vector2f centre, bool stacked) {
        renderer->stackTileLayers = stacked;
        window.setView(gameCamera(centre));
        window.clear(sf::Color::Blue);
        renderer->draw(&window);
        sf::Texture shot;
        shot.create(800, 600);
        shot.update(window);
        return shot.copyToImage();
    };
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
            layers[1]->useChunks = false;
        },
    };
    const sf::Vector2f centres[] = {{421.3f, 377.8f}, {160.0f, 160.0f}, {903.7f, 611.1f}};
    for (std::size_t s = 0; s < setups.size(); ++s) {
        setups[s]();
        for (const sf::Vector2f& centre : centres) {
            expectSamePixels(frame(centre, false), frame(centre, true),
                             "setup " + std::to_string(s) + " at " + std::to_string(centre.x));
        }
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

    render(camera({200.0f, 200.0f}), Way::chunks);
    std::size_t drawCalls = 0;
    for (const auto& layer : layers) {
        drawCalls += layer->lastDrawCalls();
    }
    EXPECT_GT(drawCalls, 0u);
    EXPECT_LT(drawCalls, 64u);
    EXPECT_LT(drawCalls, chunkCount);

    render(camera({-5000.0f, -5000.0f}), Way::chunks);
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
