#include "map/TileLayerBuilder.hpp"

#include "common/FileCheck.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <set>
#include <utility>

namespace {

// The problems found from `first` on are about the element on `line` of the map file.
void placeOnLine(std::vector<MapProblem>& problems, std::size_t first, int line) {
    for (std::size_t i = first; i < problems.size(); ++i) {
        problems[i].line = line;
    }
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string layerSubject(const TileLayer& layer) {
    return "layer " + quoted(layer.name);
}

std::string tilesetSubject(const Tileset& tileset) {
    return "tileset " + quoted(tileset.name);
}

std::size_t cellCount(const TileLayer& layer) {
    if (layer.width <= 0 || layer.height <= 0) {
        return 0;
    }
    return static_cast<std::size_t>(layer.width) * static_cast<std::size_t>(layer.height);
}

// How many whole map cells an image holds; images narrower or lower than a cell hold none.
std::size_t tilesInImage(sf::Vector2u size, int cellWidth, int cellHeight) {
    return static_cast<std::size_t>(size.x / cellWidth) * (size.y / cellHeight);
}

// Counts the cells of one layer that share a kind of fault and keeps the first for the message.
struct FaultyCells {
    std::size_t count = 0;
    std::size_t firstCell = 0;
    std::string firstDetail;

    void add(std::size_t cell, const std::string& detail) {
        if (count++ == 0) {
            firstCell = cell;
            firstDetail = detail;
        }
    }
};

} // namespace

TileLayerBuilder::TileLayerBuilder(const TileMap& map, sf::Vector2f origin, std::string assetPath)
    : map(map), origin(origin), assetPath(std::move(assetPath)) {}

std::string TileLayerBuilder::mapTraceLine(const TileMap& map) {
    return "Load tilemap with size: " + std::to_string(map.width) + ", " + std::to_string(map.height) +
           " and tilesize: " + std::to_string(map.tileWidth) + ", " + std::to_string(map.tileHeight);
}

std::string TileLayerBuilder::tilesetTraceLine(const Tileset& tileset) {
    return "Load tileset: " + tileset.name + " width filename: " + tileset.imageSource +
           " and tilesize: " + std::to_string(tileset.tileWidth) + ", " + std::to_string(tileset.tileHeight);
}

std::string TileLayerBuilder::layerTraceLine(const TileLayer& layer) {
    return "Load layer: " + layer.name + " with width: " + std::to_string(layer.width) +
           " and height: " + std::to_string(layer.height);
}

std::string TileLayerBuilder::whyUnloaded(const std::string& path) {
    const std::string problem = FileCheck::pictureProblem(path, FileCheck::largestTextureSide());
    return problem.empty() ? "could not be loaded" : problem;
}

std::shared_ptr<sf::Texture> TileLayerBuilder::loadTilesetTexture(const Tileset& tileset) const {
    sf::err() << tilesetTraceLine(tileset) << std::endl;
    auto texture = std::make_shared<sf::Texture>();
    // The checker names what is wrong with a refused picture; decoding it could take gigabytes.
    const bool refused =
        !FileCheck::pictureProblem(imagePath(tileset), FileCheck::largestTextureSide()).empty();
    if (refused || !texture->loadFromFile(imagePath(tileset))) {
        sf::err() << "Could not load texture " << imagePath(tileset) << std::endl;
    }
    return texture;
}

TilesetTextures TileLayerBuilder::loadTilesetTextures() const {
    TilesetTextures textures;
    for (const Tileset& tileset : map.tilesets) {
        textures[tileset.name] = loadTilesetTexture(tileset);
    }
    return textures;
}

std::vector<MapProblem> TileLayerBuilder::validate(const TilesetTextures& textures) const {
    TilesetImageSizes sizes;
    for (const auto& [name, texture] : textures) {
        sizes[name] = texture ? texture->getSize() : sf::Vector2u();
    }
    return validate(sizes);
}

std::vector<MapProblem> TileLayerBuilder::validate(const TilesetImageSizes& imageSizes) const {
    std::vector<MapProblem> problems;
    validateTilesets(imageSizes, problems);
    for (const TileLayer& layer : map.layers) {
        const std::size_t earlier = problems.size();
        validateLayer(layer, imageSizes, problems);
        placeOnLine(problems, earlier, layer.line);
    }
    return problems;
}

void TileLayerBuilder::validateTilesets(const TilesetImageSizes& imageSizes,
                                        std::vector<MapProblem>& problems) const {
    const std::string cell = std::to_string(map.tileWidth) + "x" + std::to_string(map.tileHeight);
    std::set<std::string> names;
    for (const Tileset& tileset : map.tilesets) {
        const std::size_t earlier = problems.size();
        const std::string subject = tilesetSubject(tileset);
        if (!names.insert(tileset.name).second) {
            problems.push_back(MapProblem::error(
                subject, "another tileset has the same name; the game keeps one image per tileset name"));
        }
        const auto found = imageSizes.find(tileset.name);
        const sf::Vector2u size = found == imageSizes.end() ? sf::Vector2u() : found->second;
        const std::string image = "image " + quoted(imagePath(tileset));
        if (size.x == 0 || size.y == 0) {
            problems.push_back(MapProblem::error(subject, image + " " + whyUnloaded(imagePath(tileset))));
        } else if (size.x < static_cast<unsigned>(map.tileWidth)) {
            problems.push_back(MapProblem::error(subject, image + " is narrower than one " +
                                                              std::to_string(map.tileWidth) + "-pixel cell"));
        } else if (size.y < static_cast<unsigned>(map.tileHeight)) {
            problems.push_back(MapProblem::error(
                subject, image + " is lower than one " + std::to_string(map.tileHeight) + "-pixel cell"));
        }
        if (tileset.tileWidth != map.tileWidth || tileset.tileHeight != map.tileHeight) {
            problems.push_back(MapProblem::warning(subject, "tiles are " + std::to_string(tileset.tileWidth) +
                                                                "x" + std::to_string(tileset.tileHeight) +
                                                                " but the game cuts every image into " +
                                                                cell + " map cells"));
        }
        placeOnLine(problems, earlier, tileset.line);
    }
}

void TileLayerBuilder::validateLayer(const TileLayer& layer, const TilesetImageSizes& imageSizes,
                                     std::vector<MapProblem>& problems) const {
    const std::string subject = layerSubject(layer);
    if (layer.width < 0 || layer.height < 0 || layer.tiles.size() != cellCount(layer)) {
        problems.push_back(MapProblem::error(subject, "has " + std::to_string(layer.tiles.size()) +
                                                          " tiles, expected " +
                                                          std::to_string(cellCount(layer))));
        return;
    }
    FaultyCells uncovered;
    FaultyCells beyond;
    for (std::size_t cell = 0; cell < layer.tiles.size(); ++cell) {
        const int gid = layer.tiles[cell];
        if (gid == 0) {
            continue;
        }
        const Tileset* tileset = tilesetFor(map, gid);
        if (!tileset) {
            uncovered.add(cell, "tile " + std::to_string(gid));
            continue;
        }
        const auto found = imageSizes.find(tileset->name);
        if (found == imageSizes.end() || found->second.x < static_cast<unsigned>(map.tileWidth)) {
            continue; // the tileset itself is reported
        }
        const auto local = static_cast<std::size_t>(gid - tileset->firstGid);
        const std::size_t available = tilesInImage(found->second, map.tileWidth, map.tileHeight);
        if (local >= available) {
            beyond.add(cell, "tile " + std::to_string(gid) + " but " + tilesetSubject(*tileset) + " has " +
                                 std::to_string(available) + " tiles");
        }
    }
    auto report = [&](const FaultyCells& cells, const std::string& what) {
        if (cells.count == 0) {
            return;
        }
        problems.push_back(MapProblem::error(
            subject, std::to_string(cells.count) + " cell(s) " + what + "; first: cell " +
                         std::to_string(cells.firstCell) + " (column " +
                         std::to_string(cells.firstCell % layer.width) + ", row " +
                         std::to_string(cells.firstCell / layer.width) + ") holds " + cells.firstDetail));
    };
    report(uncovered, "use ids that no tileset covers");
    report(beyond, "use ids beyond their tileset's image");
}

SpriteList TileLayerBuilder::buildLayer(const TileLayer& layer, const TilesetTextures& textures) const {
    SpriteList sprites;
    const std::size_t cells = std::min(layer.tiles.size(), cellCount(layer));
    for (std::size_t cell = 0; cell < cells; ++cell) {
        const int gid = layer.tiles[cell];
        if (gid == 0) {
            continue;
        }
        const Tileset* tileset = tilesetFor(map, gid);
        if (!tileset) {
            continue;
        }
        const auto found = textures.find(tileset->name);
        if (found == textures.end() || !found->second) {
            continue;
        }
        const sf::Texture& texture = *found->second;
        const sf::IntRect rect =
            textureRect(gid - tileset->firstGid, texture.getSize().x, map.tileWidth, map.tileHeight);
        if (rect.width == 0) {
            continue;
        }
        auto sprite = std::make_shared<sf::Sprite>();
        sprite->setTexture(texture, false);
        sprite->setTextureRect(rect);
        sprite->setPosition(cellPosition(cell, layer.width, map.tileWidth, map.tileHeight, origin));
        sprites.push_back(std::move(sprite));
    }
    return sprites;
}

std::vector<MapProblem> TileLayerBuilder::buildAll(const TilesetTextures& textures,
                                                   std::vector<SpriteList>& layers) const {
    std::vector<MapProblem> problems = validate(textures);
    for (const MapProblem& problem : problems) {
        if (problem.isError()) {
            return problems;
        }
    }
    layers.clear();
    for (const TileLayer& layer : map.layers) {
        layers.push_back(buildLayer(layer, textures));
    }
    return problems;
}

const Tileset* TileLayerBuilder::tilesetFor(const TileMap& map, int gid) {
    const Tileset* chosen = nullptr;
    for (const Tileset& tileset : map.tilesets) {
        if (tileset.firstGid > gid) {
            break;
        }
        chosen = &tileset;
    }
    return chosen;
}

sf::IntRect TileLayerBuilder::textureRect(int localId, unsigned textureWidth, int cellWidth, int cellHeight) {
    if (cellWidth <= 0 || localId < 0) {
        return {};
    }
    const unsigned columns = textureWidth / static_cast<unsigned>(cellWidth);
    if (columns == 0) {
        return {};
    }
    const auto local = static_cast<unsigned>(localId);
    return {cellWidth * static_cast<int>(local % columns), cellHeight * static_cast<int>(local / columns),
            cellWidth, cellHeight};
}

sf::Vector2f TileLayerBuilder::cellPosition(std::size_t cell, int layerWidth, int cellWidth, int cellHeight,
                                            sf::Vector2f origin) {
    const std::size_t width = layerWidth > 0 ? static_cast<std::size_t>(layerWidth) : 1;
    const auto column = static_cast<float>(cell % width);
    const auto row = static_cast<float>(cell / width);
    return {static_cast<float>(cellWidth) * column + origin.x,
            static_cast<float>(cellHeight) * row + origin.y};
}
