#include "map/TileLayerBuilder.hpp"

#include "support/ErrCapture.hpp"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<sf::Texture> blankTexture(unsigned width, unsigned height) {
    auto texture = std::make_shared<sf::Texture>();
    EXPECT_TRUE(texture->create(width, height));
    return texture;
}

// A 50x3 layer over two tilesets of 16-pixel cells: "low" from id 1, "high" from id 65.
TileMap twoTilesetMap(std::vector<std::pair<std::size_t, int>> filled) {
    TileMap map{50, 3, 16, 16, {{1, "low", 16, 16, "low.png"}, {65, "high", 16, 16, "high.png"}}, {}, {}, {}};
    map.layers = {{"inside", 50, 3, std::vector<int>(150, 0)}, {"empty", 50, 3, std::vector<int>(150, 0)}};
    for (const auto& [cell, gid] : filled) {
        map.layers[0].tiles[cell] = gid;
    }
    return map;
}

std::string lines(const std::vector<MapProblem>& problems) {
    std::string text;
    for (const MapProblem& problem : problems) {
        text += problem.format("map.tmx") + "\n";
    }
    return text;
}

} // namespace

TEST(TileLayerBuilderTest, BuildsNothingWhenACellCannotBeDrawnAndLoadsWhatTexturesItCan) {
    TileMap map = twoTilesetMap({{51, 70}}); // "high" holds ids 65..68 in a 64x16 image
    const TileLayerBuilder builder(map);
    std::vector<SpriteList> layers;
    EXPECT_EQ(
        lines(builder.buildAll({{"low", blankTexture(128, 128)}, {"high", blankTexture(64, 16)}}, layers)),
        "map.tmx: error: layer \"inside\": 1 cell(s) use ids beyond their tileset's image; first: cell 51 "
        "(column 1, row 1) holds tile 70 but tileset \"high\" has 4 tiles\n");
    EXPECT_TRUE(layers.empty());
    EXPECT_EQ(
        lines(
            builder.validate(TilesetTextures{{"low", blankTexture(8, 128)}, {"high", blankTexture(64, 80)}})),
        "map.tmx: error: tileset \"low\": image \"Assets/low.png\" is narrower than one 16-pixel cell\n");
    EXPECT_EQ(lines(builder.validate(TilesetTextures{{"low", std::make_shared<sf::Texture>()}})),
              "map.tmx: error: tileset \"low\": image \"Assets/low.png\" could not be loaded\n"
              "map.tmx: error: tileset \"high\": image \"Assets/high.png\" could not be loaded\n");

    // Loading the textures traces each tileset and goes on after a failure.
    map = twoTilesetMap({});
    map.tilesets[0].imageSource = "no-such-image.png";
    ErrCapture err;
    const TilesetTextures textures = TileLayerBuilder(map).loadTilesetTextures();
    ASSERT_EQ(textures.size(), 2u);
    EXPECT_EQ(textures.at("low")->getSize(), sf::Vector2u());
    const std::string trace = err.text();
    const auto failed = trace.find("\nCould not load texture Assets/no-such-image.png\n");
    EXPECT_EQ(trace.find("Load tileset: low width filename: no-such-image.png and tilesize: 16, 16\n"), 0u);
    EXPECT_LT(failed, trace.find("Load tileset: high width filename: high.png and tilesize: 16, 16\n"));
}
