#include "BenchSupport.hpp"
#include "app/SceneRegistries.hpp"
#include "map/MapChecker.hpp"
#include "map/TileLayerBuilder.hpp"
#include "map/TmxReader.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderManager.hpp"

#include <SFML/Window/Context.hpp>

// Where the time of loading the level goes: reading the file, the tileset
// images, the checker, the tile sprites, baking the tile blocks, and the whole load.

static void MapParse(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(readTileMapFile(levelFile()));
    }
}
BENCHMARK(MapParse)->Unit(benchmark::kMillisecond);

static void MapTilesetTextures(benchmark::State& state) {
    sf::Context context;
    const auto map = readTileMapFile(levelFile());
    const TileLayerBuilder builder(*map);
    for (auto _ : state) {
        benchmark::DoNotOptimize(builder.loadTilesetTextures());
    }
}
BENCHMARK(MapTilesetTextures)->Unit(benchmark::kMillisecond);

static void MapCheck(benchmark::State& state) {
    sf::Context context;
    const auto map = readTileMapFile(levelFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(MapChecker().check(*map));
    }
}
BENCHMARK(MapCheck)->Unit(benchmark::kMillisecond);

static void MapBuildTileSprites(benchmark::State& state) {
    sf::Context context;
    const auto map = readTileMapFile(levelFile());
    const TileLayerBuilder builder(*map);
    const TilesetTextures textures = builder.loadTilesetTextures();
    for (auto _ : state) {
        for (const TileLayer& layer : map->layers) {
            benchmark::DoNotOptimize(builder.buildLayer(layer, textures));
        }
    }
}
BENCHMARK(MapBuildTileSprites)->Unit(benchmark::kMillisecond);

static void MapBakeTileChunks(benchmark::State& state) {
    sf::Context context;
    const auto map = readTileMapFile(levelFile());
    const TileLayerBuilder builder(*map);
    const TilesetTextures textures = builder.loadTilesetTextures();
    std::vector<std::shared_ptr<LayerComponent>> layers;
    for (const TileLayer& layer : map->layers) {
        layers.push_back(
            std::make_shared<LayerComponent>(nullptr, builder.buildLayer(layer, textures), layer.name, true));
    }
    for (auto _ : state) {
        for (const auto& layer : layers) {
            layer->rebuildChunks();
        }
    }
    RenderManager::destroyInstance();
}
BENCHMARK(MapBakeTileChunks)->Unit(benchmark::kMillisecond);

// The level as the in-game screen loads it: file, textures, checks, tiles and objects.
static void MapLoadWhole(benchmark::State& state) {
    sf::Context context;
    for (auto _ : state) {
        RegionTimer timer;
        const bool loaded = GameObjectManager::getInstance()->loadMap(levelFile(), {0.0f, 0.0f});
        state.SetIterationTime(timer.seconds());
        if (!loaded) {
            state.SkipWithError("the level did not load");
        }
        SceneRegistries::dispose();
    }
}
BENCHMARK(MapLoadWhole)->UseManualTime()->Unit(benchmark::kMillisecond);
