#include "map/MapLoader.hpp"

#include "map/LevelSchema.hpp"
#include "map/MapChecker.hpp"
#include "map/MapObjectFactory.hpp"
#include "map/TileLayerBuilder.hpp"
#include "map/TmxReader.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/LayerComponent.hpp"

#include <SFML/System/Err.hpp>

namespace {
bool reportProblems(const std::vector<MapProblem>& problems, const std::string& path) {
    bool playable = true;
    for (const MapProblem& problem : problems) {
        sf::err() << problem.format(path) << std::endl;
        playable = playable && !problem.isError();
    }
    return playable;
}
} // namespace

MapLoader::MapLoader(GameObjectManager& objects) : objects(objects) {}

bool MapLoader::load(const std::string& path, sf::Vector2f origin) {
    const std::unique_ptr<TileMap> map = readTileMapFile(path);
    if (!map) {
        return false;
    }
    // Played as Tiled shows it: what an object leaves to its type comes from the type.
    LevelSchema::fillInTypeProperties(*map);
    sf::err() << TileLayerBuilder::mapTraceLine(*map) << std::endl;

    const TileLayerBuilder builder(*map, origin, objects.assetPath);
    const TilesetTextures textures = builder.loadTilesetTextures();
    // The checker looks at everything the game relies on, the tilesets included.
    if (!reportProblems(MapChecker(objects.assetPath).check(*map), path)) {
        sf::err() << path << ": the game cannot play this map" << std::endl;
        return false;
    }

    for (const auto& [name, texture] : textures) {
        objects.tilesetTextures[name] = texture;
    }
    objects.layerSprites.resize(map->layers.size());
    for (std::size_t layer = 0; layer < map->layers.size(); ++layer) {
        const TileLayer& tiles = map->layers[layer];
        sf::err() << TileLayerBuilder::layerTraceLine(tiles) << std::endl;
        objects.layerSprites[layer] = builder.buildLayer(tiles, textures);
        objects.mapObject->addComponent(std::make_shared<LayerComponent>(
            objects.mapObject.get(), objects.layerSprites[layer], tiles.name, true));
    }

    MapObjectFactory(objects).createAll(*map);
    return true;
}
