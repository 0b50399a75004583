#include "map/TileLayerBuilder.hpp"

#include "support/ErrCapture.hpp"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<sf::Texture> blankTexture(unsigned width, unsigned height) {
    auto texture = std::make_shared<sf::Texture>();
    EXPECT_TRUE(texture->create(width, height));
    return texture;
}

// Two tilesets of 16-pixel cells: "low" covers ids 1..64 (8x8 cells), "high" starts at 65.
TileMap twoTilesetMap() {
    TileMap map;
    map.width = 50;
    map.height = 3;
    map.tileWidth = map.tileHeight = 16;
    map.tilesets = {{1, "low", 16, 16, "low.png"}, {65, "high", 16, 16, "high.png"}};
    return map;
}

TileLayer layerOf(const std::string& name, int width, int height) {
    return {name, width, height, std::vector<int>(static_cast<std::size_t>(width * height), 0)};
}

} // namespace

TEST(TileLayerBuilder, TileArithmetic) {
    const TileMap map = twoTilesetMap();
    EXPECT_EQ(TileLayerBuilder::tilesetFor(map, 1)->name, "low");
    EXPECT_EQ(TileLayerBuilder::tilesetFor(map, 64)->name, "low");
    EXPECT_EQ(TileLayerBuilder::tilesetFor(map, 65)->name, "high");
    EXPECT_EQ(TileLayerBuilder::tilesetFor(map, 0), nullptr);

    // id 10 of a tileset starting at 1, image 128 wide: local 9 is column 1, row 1.
    EXPECT_EQ(TileLayerBuilder::textureRect(9, 128, 16, 16), sf::IntRect(16, 16, 16, 16));
    EXPECT_EQ(TileLayerBuilder::textureRect(0, 128, 16, 16), sf::IntRect(0, 0, 16, 16));
    EXPECT_EQ(TileLayerBuilder::textureRect(3, 15, 16, 16), sf::IntRect()); // narrower than one cell
    EXPECT_EQ(TileLayerBuilder::textureRect(3, 0, 16, 16), sf::IntRect());  // failed load

    EXPECT_EQ(TileLayerBuilder::cellPosition(120, 50, 16, 16, {}), sf::Vector2f(320, 32));
    EXPECT_EQ(TileLayerBuilder::cellPosition(120, 50, 16, 16, {5, -7}), sf::Vector2f(325, 25));
    // A layer narrower than the map wraps at its own width.
    EXPECT_EQ(TileLayerBuilder::cellPosition(12, 10, 16, 16, {}), sf::Vector2f(32, 16));
}

TEST(TileLayerBuilder, BuildsOneSpritePerFilledCellFromTheRightTileset) {
    TileMap map = twoTilesetMap();
    TileLayer layer = layerOf("inside", 50, 3);
    layer.tiles[0] = 64;
    layer.tiles[1] = 65;
    layer.tiles[120] = 10;
    map.layers = {layer, layerOf("empty", 50, 3)};
    const TilesetTextures textures = {{"low", blankTexture(128, 128)}, {"high", blankTexture(64, 16)}};
    const sf::Vector2f origin(100, 200);
    const TileLayerBuilder builder(map, origin);

    std::vector<SpriteList> layers;
    EXPECT_TRUE(builder.buildAll(textures, layers).empty());
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_TRUE(layers[1].empty());
    const SpriteList& sprites = layers[0];
    ASSERT_EQ(sprites.size(), 3u);

    EXPECT_EQ(sprites[0]->getTexture(), textures.at("low").get());
    EXPECT_EQ(sprites[0]->getTextureRect(), sf::IntRect(112, 112, 16, 16)); // local 63: last of 8x8
    EXPECT_EQ(sprites[0]->getPosition(), origin);
    EXPECT_EQ(sprites[1]->getTexture(), textures.at("high").get());
    EXPECT_EQ(sprites[1]->getTextureRect(), sf::IntRect(0, 0, 16, 16));
    EXPECT_EQ(sprites[1]->getPosition(), origin + sf::Vector2f(16, 0));
    EXPECT_EQ(sprites[2]->getTextureRect(), sf::IntRect(16, 16, 16, 16));
    EXPECT_EQ(sprites[2]->getPosition(), origin + sf::Vector2f(320, 32));
}

TEST(TileLayerBuilder, RefusesToBuildWhatCannotBeDrawn) {
    TileMap map = twoTilesetMap();
    TileLayer layer = layerOf("inside", 50, 3);
    layer.tiles[51] = 70; // "high" holds 4 tiles in a 64x16 image: 65..68
    map.layers = {layer};
    const TileLayerBuilder builder(map);
    auto messages = [](const std::vector<MapProblem>& problems) {
        std::string text;
        for (const MapProblem& problem : problems)
            text += problem.format("map.tmx") + "\n";
        return text;
    };

    std::vector<SpriteList> layers;
    const auto beyond =
        builder.buildAll({{"low", blankTexture(128, 128)}, {"high", blankTexture(64, 16)}}, layers);
    EXPECT_EQ(messages(beyond), "map.tmx: error: layer \"inside\": 1 cell(s) use ids beyond their tileset's "
                                "image; first: cell 51 (column 1, row 1) holds tile 70 but tileset \"high\" "
                                "has 4 tiles\n");
    EXPECT_TRUE(layers.empty());

    const auto narrow =
        builder.validate(TilesetTextures{{"low", blankTexture(8, 128)}, {"high", blankTexture(64, 80)}});
    EXPECT_EQ(
        messages(narrow),
        "map.tmx: error: tileset \"low\": image \"Assets/low.png\" is narrower than one 16-pixel cell\n");

    const auto failed = builder.validate(TilesetTextures{{"low", std::make_shared<sf::Texture>()}});
    EXPECT_EQ(messages(failed),
              "map.tmx: error: tileset \"low\": image \"Assets/low.png\" could not be loaded\n"
              "map.tmx: error: tileset \"high\": image \"Assets/high.png\" could not be loaded\n");

    map.layers[0].tiles.pop_back(); // records not made by the reader
    EXPECT_EQ(messages(builder.validate(TilesetImageSizes{{"low", {128, 128}}, {"high", {64, 64}}})),
              "map.tmx: error: layer \"inside\": has 149 tiles, expected 150\n");
}

TEST(TileLayerBuilder, LoadingTexturesTracesEachTileset) {
    TileMap map = twoTilesetMap();
    map.tilesets[1].imageSource = "no-such-image.png";
    ErrCapture err;
    const TilesetTextures textures = TileLayerBuilder(map, {}, "Assets/").loadTilesetTextures();
    ASSERT_EQ(textures.size(), 2u);
    EXPECT_EQ(textures.at("high")->getSize(), sf::Vector2u());
    const std::string trace = err.text();
    const auto highLine =
        trace.find("Load tileset: high width filename: no-such-image.png and tilesize: 16, 16\n");
    const auto failLine = trace.find("\nCould not load texture Assets/no-such-image.png\n");
    EXPECT_NE(trace.find("Load tileset: low width filename: low.png and tilesize: 16, 16\n"),
              std::string::npos);
    ASSERT_NE(highLine, std::string::npos);
    ASSERT_NE(failLine, std::string::npos);
    EXPECT_LT(highLine, failLine);
    EXPECT_EQ(TileLayerBuilder::mapTraceLine(map), "Load tilemap with size: 50, 3 and tilesize: 16, 16");
    EXPECT_EQ(TileLayerBuilder::layerTraceLine(layerOf("inside", 10, 4)),
              "Load layer: inside with width: 10 and height: 4");
}
