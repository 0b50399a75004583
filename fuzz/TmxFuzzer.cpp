// Feeds arbitrary bytes to the level reader and, when it accepts them, to every check the game runs
// on a map before playing it, and to the tile arithmetic that places the cells.
#include "common/ErrStream.hpp"
#include "map/MapChecker.hpp"
#include "map/TileLayerBuilder.hpp"
#include "map/TmxReader.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {
// No pictures live here, so every image counts as missing without touching the disk much.
const char* const kNoAssets = "/nonexistent-pellowick-assets/";
const sf::Vector2u kTilesetImage{128, 64};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static const ErrRedirect quiet(nullptr); // for the whole run, on the one thread libFuzzer uses
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const auto map = parseTileMap(text.data(), "fuzz.tmx");
    if (!map) {
        return 0;
    }
    MapChecker(kNoAssets).check(*map);

    // As if every tileset image had loaded, so the per-cell checks run too.
    TilesetImageSizes sizes;
    for (const Tileset& tileset : map->tilesets) {
        sizes[tileset.name] = kTilesetImage;
    }
    const TileLayerBuilder builder(*map, {0.0f, 0.0f}, kNoAssets);
    builder.validate(sizes);
    for (const TileLayer& layer : map->layers) {
        for (std::size_t cell = 0; cell < layer.tiles.size(); ++cell) {
            const int gid = layer.tiles[cell];
            if (const Tileset* tileset = gid ? TileLayerBuilder::tilesetFor(*map, gid) : nullptr) {
                TileLayerBuilder::textureRect(gid - tileset->firstGid, kTilesetImage.x, map->tileWidth,
                                              map->tileHeight);
            }
            TileLayerBuilder::cellPosition(cell, layer.width, map->tileWidth, map->tileHeight, {});
        }
    }
    return 0;
}
