#pragma once

#include "map/MapProblem.hpp"
#include "map/TileMap.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

using TilesetTextures = std::unordered_map<std::string, std::shared_ptr<sf::Texture>>; // by tileset name
using TilesetImageSizes = std::unordered_map<std::string, sf::Vector2u>;               // by tileset name
using SpriteList = std::vector<std::shared_ptr<sf::Sprite>>;

// Turns the tile layers of a map into sprites: one per non-empty cell, cut from its tileset's image in cells
// of the map's tile size and placed at its cell plus the origin.
//
// Validation and building are separate so a map is either built completely or not at all: call validate()
// first and build only when it reports no error. The map passed in must outlive the builder; the sprites
// refer to the textures without owning them, so the textures must outlive the sprites.
class TileLayerBuilder {
public:
    explicit TileLayerBuilder(const TileMap& map, sf::Vector2f origin = {},
                              std::string assetPath = "Assets/");

    // Trace lines of the map load (without line end).
    static std::string mapTraceLine(const TileMap& map);
    static std::string tilesetTraceLine(const Tileset& tileset);
    static std::string layerTraceLine(const TileLayer& layer);

    // Writes the tileset's trace line, loads its image from assetPath + imageSource and, if that fails,
    // writes "Could not load texture <path>". Always returns a texture; an empty one when loading failed.
    std::shared_ptr<sf::Texture> loadTilesetTexture(const Tileset& tileset) const;
    // All tilesets in file order, keyed by name (a later tileset of the same name replaces an earlier one).
    TilesetTextures loadTilesetTextures() const;

    // Everything that would make a cell undrawable or drawn from the wrong image: missing or too narrow
    // images, ids no tileset covers, ids beyond their tileset's image, tilesets sharing a name.
    std::vector<MapProblem> validate(const TilesetTextures& textures) const;
    std::vector<MapProblem> validate(const TilesetImageSizes& imageSizes) const;

    // Sprites of one layer in cell order. Meant for validated maps; cells that cannot be drawn are skipped.
    SpriteList buildLayer(const TileLayer& layer, const TilesetTextures& textures) const;
    // Validates, then builds every layer (index for index with map.layers) only if there is no error.
    // Returns the problems found; `layers` is filled only when none of them is an error.
    std::vector<MapProblem> buildAll(const TilesetTextures& textures, std::vector<SpriteList>& layers) const;

    // The tileset a global id draws from: the last one whose first id is not above it, walking the tilesets
    // in order. Null when the id lies below the first tileset.
    static const Tileset* tilesetFor(const TileMap& map, int gid);
    // Rectangle of the local tile index in an image `textureWidth` pixels wide, cut in cells of the given
    // size. An image narrower than one cell has no tiles: the rectangle is empty.
    static sf::IntRect textureRect(int localId, unsigned textureWidth, int cellWidth, int cellHeight);
    // Where cell `cell` of a layer `layerWidth` cells wide is drawn.
    static sf::Vector2f cellPosition(std::size_t cell, int layerWidth, int cellWidth, int cellHeight,
                                     sf::Vector2f origin);

private:
    std::string imagePath(const Tileset& tileset) const { return assetPath + tileset.imageSource; }
    // Why a tileset picture has no size: what is wrong with the file, or that it did not decode.
    static std::string whyUnloaded(const std::string& path);
    void validateTilesets(const TilesetImageSizes& imageSizes, std::vector<MapProblem>& problems) const;
    void validateLayer(const TileLayer& layer, const TilesetImageSizes& imageSizes,
                       std::vector<MapProblem>& problems) const;

    const TileMap& map;
    sf::Vector2f origin;
    std::string assetPath;
};
