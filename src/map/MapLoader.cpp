#include "map/MapLoader.hpp"

#include "map/LevelFile.hpp"
#include "map/LevelSchema.hpp"
#include "map/MapChecker.hpp"
#include "map/MapObjectFactory.hpp"
#include "map/PropertyLookup.hpp"
#include "map/TileLayerBuilder.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/LayerComponent.hpp"

#include <SFML/System/Err.hpp>
#include <filesystem>

MapLoader::MapLoader(GameObjectManager& objects) : objects(objects) {}

bool MapLoader::load(const std::string& path, sf::Vector2f origin) {
    const LevelFile level = LevelFile::read(path, objects.assetPath);
    if (!level.map) {
        return false;
    }
    const TileMap& map = *level.map;
    sf::err() << TileLayerBuilder::mapTraceLine(map) << std::endl;

    const TileLayerBuilder builder(map, origin, objects.assetPath);
    const TilesetTextures textures = builder.loadTilesetTextures();
    if (!MapChecker::report(level.problems, path, sf::err())) {
        LevelFile::explainUnplayable(path);
        return false;
    }

    for (const auto& [name, texture] : textures) {
        objects.tilesetTextures[name] = texture;
    }
    objects.layerSprites.resize(map.layers.size());
    for (std::size_t layer = 0; layer < map.layers.size(); ++layer) {
        const TileLayer& tiles = map.layers[layer];
        sf::err() << TileLayerBuilder::layerTraceLine(tiles) << std::endl;
        objects.layerSprites[layer] = builder.buildLayer(tiles, textures);
        objects.mapObject->addComponent(std::make_shared<LayerComponent>(
            objects.mapObject.get(), objects.layerSprites[layer], tiles.name, true));
    }

    MapObjectFactory(objects, map).createAll();
    objects.medalTimes = MedalTimes::of(map);
    keepTitleAndHints(map, path);
    if (LevelSchema::wallsBlockSight(map)) {
        PhysicsManager::getInstance()->blockSightWithWalls(
            {map.width, map.height}, {static_cast<float>(map.tileWidth), static_cast<float>(map.tileHeight)});
    }
    return true;
}

void MapLoader::keepTitleAndHints(const TileMap& map, const std::string& path) {
    objects.levelTitle = map.property(LevelSchema::kLevelName);
    if (objects.levelTitle.empty()) {
        objects.levelTitle = std::filesystem::path(path).filename().string();
    }
    objects.levelIntro = map.property(LevelSchema::kLevelIntro);
    objects.hints.clear();
    for (const ObjectGroup& group : map.objectGroups) {
        for (const MapObject& object : group.objects) {
            if (object.type == LevelSchema::kHint) {
                const PropertyLookup properties(object);
                objects.hints.push_back(
                    {sf::FloatRect(static_cast<float>(object.x), static_cast<float>(object.y),
                                   static_cast<float>(object.width), static_cast<float>(object.height)),
                     properties.named(LevelSchema::kHintText)->value});
            }
        }
    }
}
