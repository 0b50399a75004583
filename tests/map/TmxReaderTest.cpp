#include "map/TmxReader.hpp"

#include "support/ErrCapture.hpp"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string wrapMap(const std::string& body, const std::string& size = R"(width="4" height="2")") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" orientation=\"orthogonal\" " +
           size + " tilewidth=\"16\" tileheight=\"16\">\n" + body + "</map>\n";
}

const std::string kTileset = R"(<tileset firstgid="1" name="ground" tilewidth="16" tileheight="16">
  <image source="ground.png" width="128" height="64"/>
</tileset>
)";

std::string layer(const std::string& name, const std::string& csv, int width = 4, int height = 2) {
    return "<layer id=\"1\" name=\"" + name + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">\n<data encoding=\"csv\">\n" + csv + "</data>\n</layer>\n";
}

} // namespace

TEST(TmxReader, ReadsTilesetsLayersAndObjectsWithTheirAttributes) {
    const auto map = parseTileMapString(wrapMap(kTileset + layer("inside", "1,2,0,4,\n5,6,7,8\n") +
                                                R"(<objectgroup id="3" name="Objects">
  <object id="1" name="player1" type="player" gid="7" x="32" y="48" width="16" height="24">
    <properties>
      <property name="0_scaleX" value="0.5"/>
      <property name="2_texturePath" value="Assets/player.png"/>
    </properties>
  </object>
</objectgroup>
)"));
    ASSERT_TRUE(map);
    EXPECT_EQ(map->width, 4);
    EXPECT_EQ(map->height, 2);
    EXPECT_EQ(map->tileWidth, 16);
    ASSERT_EQ(map->tilesets.size(), 1u);
    EXPECT_EQ(map->tilesets[0].firstGid, 1);
    EXPECT_EQ(map->tilesets[0].name, "ground");
    EXPECT_EQ(map->tilesets[0].imageSource, "ground.png");
    ASSERT_EQ(map->layers.size(), 1u);
    EXPECT_EQ(map->layers[0].name, "inside");
    EXPECT_EQ(map->layers[0].tiles, (std::vector<int>{1, 2, 0, 4, 5, 6, 7, 8}));
    ASSERT_EQ(map->objectGroups.size(), 1u);
    const MapObject& player = map->objectGroups[0].objects.at(0);
    EXPECT_EQ(player.name, "player1");
    EXPECT_EQ(player.type, "player");
    EXPECT_EQ(player.gid, 7);
    EXPECT_EQ(player.x, 32);
    EXPECT_EQ(player.height, 24);
    ASSERT_EQ(player.properties.size(), 2u);
    EXPECT_EQ(player.properties[1].name, "2_texturePath");
    EXPECT_EQ(player.properties[1].value, "Assets/player.png");
}

TEST(TmxReader, ByteOrderMarkIsSkipped) {
    const std::string text = wrapMap(kTileset + layer("inside", "1,1,1,1,1,1,1,1"));
    const auto plain = parseTileMapString(text);
    const auto marked = parseTileMapString("\xEF\xBB\xBF" + text);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->layers[0].tiles, plain->layers[0].tiles);
}

TEST(TmxReader, ObjectsGetDefaultsAndTruncatedCoordinates) {
    const auto map = parseTileMapString(wrapMap(R"(<objectgroup name="Objects">
  <object id="1" name="spot" x="100.9" y="-0.5"/>
  <object id="2" x="-3.9" y="12.75" width="8.6" height="abc"/>
</objectgroup>
)"));
    ASSERT_TRUE(map);
    const auto& objects = map->objectGroups[0].objects;
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].x, 100);
    EXPECT_EQ(objects[0].y, 0);
    EXPECT_EQ(objects[0].width, 0);
    EXPECT_EQ(objects[0].height, 0);
    EXPECT_EQ(objects[0].type, "");
    EXPECT_TRUE(objects[0].properties.empty());
    EXPECT_EQ(objects[1].name, "");
    EXPECT_EQ(objects[1].x, -3);
    EXPECT_EQ(objects[1].y, 12);
    EXPECT_EQ(objects[1].width, 8);
    EXPECT_EQ(objects[1].height, 0);
}

TEST(TmxReader, InvisibleGroupsStillYieldTheirObjects) {
    const auto map =
        parseTileMapString(wrapMap(R"(<objectgroup name="shown"><object x="1" y="2"/></objectgroup>
<objectgroup name="hidden" visible="0"><object x="3" y="4"/></objectgroup>
)"));
    ASSERT_TRUE(map);
    ASSERT_EQ(map->objectGroups.size(), 2u);
    EXPECT_TRUE(map->objectGroups[0].visible);
    EXPECT_FALSE(map->objectGroups[1].visible);
    ASSERT_EQ(map->objectGroups[1].objects.size(), 1u);
    EXPECT_EQ(map->objectGroups[1].objects[0].x, 3);
}

TEST(TmxReader, LayerDataAcceptsAnyMixOfSeparators) {
    const auto map =
        parseTileMapString(wrapMap(kTileset + layer("a", "\r\n 1, 2,\t3,\r\n4 5\n6,,7\t8,\n\n")));
    ASSERT_TRUE(map);
    EXPECT_EQ(map->layers[0].tiles, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(TmxReader, KindsKeepTheirOwnDocumentOrderWhenInterleaved) {
    auto tileset = [](int firstGid, const std::string& name) {
        return "<tileset firstgid=\"" + std::to_string(firstGid) + "\" name=\"" + name +
               "\" tilewidth=\"16\" tileheight=\"16\"><image source=\"" + name + ".png\"/></tileset>\n";
    };
    const auto map = parseTileMapString(
        wrapMap(tileset(1, "first") + tileset(65, "second") + layer("outside", "0,0,0,0,0,0,0,0") +
                "<objectgroup name=\"early\"/>\n" + tileset(129, "third") +
                layer("outside2", "0,0,0,0,0,0,0,0") + "<objectgroup name=\"Objects\"/>\n"));
    ASSERT_TRUE(map);
    ASSERT_EQ(map->tilesets.size(), 3u);
    EXPECT_EQ(map->tilesets[1].name, "second");
    EXPECT_EQ(map->tilesets[2].firstGid, 129);
    ASSERT_EQ(map->layers.size(), 2u);
    EXPECT_EQ(map->layers[1].name, "outside2");
    ASSERT_EQ(map->objectGroups.size(), 2u);
    EXPECT_EQ(map->objectGroups[1].name, "Objects");
}

struct Malformed {
    const char* what;
    std::string text;
    std::string message; // the whole line written to sf::err()
};

TEST(TmxReader, EachMalformationGivesOneLineAndNoMap) {
    const std::string eightZeros = "0,0,0,0,0,0,0,0";
    const std::vector<Malformed> cases = {
        {"broken XML", wrapMap("<objectgroup name=\"a\">\n<object x=\"1\" y=2/>\n</objectgroup>\n"),
         "map.tmx:4: not well-formed XML: expected ' or \""},
        {"no map element", "<?xml version=\"1.0\"?>\n<level/>\n", "map.tmx: no <map> element"},
        {"layer without height",
         wrapMap(kTileset + "<layer id=\"1\" name=\"inside\" width=\"4\">\n<data>1</data></layer>\n"),
         "map.tmx:6: <layer name=\"inside\"> lacks \"height\""},
        {"layer without data", wrapMap("<layer name=\"inside\" width=\"4\" height=\"2\"/>\n"),
         "map.tmx:3: <layer name=\"inside\"> lacks <data>"},
        {"map without tile width", "<map width=\"1\" height=\"1\" tileheight=\"16\"/>",
         "map.tmx:1: <map> lacks \"tilewidth\""},
        {"tile count short", wrapMap(kTileset + layer("inside", "1,1,1,1,1,1,1")),
         "map.tmx:7: layer \"inside\" has 7 tiles, expected 8 (4x2)"},
        {"negative size", wrapMap("", R"(width="-4" height="2")"),
         "map.tmx:2: <map> has width -4, outside 0..4096"},
        {"absurd layer", wrapMap(layer("huge", "", 100000, 100000)),
         "map.tmx:3: <layer name=\"huge\"> has width 100000, outside 0..4096"},
        {"zero tile size", "<map width=\"1\" height=\"1\" tilewidth=\"0\" tileheight=\"16\"/>",
         "map.tmx:1: <map> has tilewidth 0, outside 1..1024"},
        {"flipped tile", wrapMap(kTileset + layer("inside", "1,1,1,\n2147483649,1,1,1,1")),
         "map.tmx:9: layer \"inside\" cell 3 uses flipped tiles, which the game does not support"},
        {"tile below first tileset",
         wrapMap(layer("inside", eightZeros) + R"(<tileset firstgid="5" name="late" tilewidth="16"
 tileheight="16"><image source="late.png"/></tileset>
)" + layer("inside2", "0,0,\n0,3,0,0,0,0")),
         "map.tmx:12: layer \"inside2\" cell 3 holds tile 3, below the first tileset's first id 5"},
        {"tiles without tileset", wrapMap(layer("inside", "0,0,0,0,0,0,0,9")),
         "map.tmx:5: layer \"inside\" cell 7 holds tile 9 but the map has no tileset"},
        {"tilesets out of order", wrapMap(kTileset + R"(<tileset firstgid="1" name="again" tilewidth="16"
 tileheight="16"><image source="x.png"/></tileset>
)"),
         "map.tmx:6: tileset \"again\" starts at id 1, not after tileset \"ground\" (1)"},
        {"external tileset", wrapMap("<tileset firstgid=\"1\" source=\"ground.tsx\"/>\n"),
         "map.tmx:3: <tileset firstgid=\"1\"> refers to the external tileset file \"ground.tsx\"; embed the "
         "tileset in the map"},
        {"base64 data",
         wrapMap("<layer name=\"b\" width=\"1\" height=\"1\"><data encoding=\"base64\">AQAAAA=="
                 "</data></layer>\n"),
         "map.tmx:3: layer \"b\" stores its tiles as base64; save the map with CSV layer data"},
        {"tileset without image",
         wrapMap("<tileset firstgid=\"1\" name=\"g\" tilewidth=\"16\" tileheight=\"16\"/>\n"),
         "map.tmx:3: <tileset name=\"g\"> lacks <image>"},
        {"object without y",
         wrapMap("<objectgroup name=\"Objects\">\n<object id=\"4\" x=\"1\"/>\n</objectgroup>\n"),
         "map.tmx:4: <object id=\"4\"> lacks \"y\""},
        {"property without value", wrapMap(R"(<objectgroup name="Objects">
<object name="camera" x="1" y="1"><properties>
<property name="0_offsetX">multi
line</property></properties></object></objectgroup>
)"),
         "map.tmx:5: <property name=\"0_offsetX\"> lacks \"value\""},
        {"group without name", wrapMap("<objectgroup id=\"2\"/>\n"),
         "map.tmx:3: <objectgroup id=\"2\"> lacks \"name\""},
    };
    for (const Malformed& c : cases) {
        ErrCapture err;
        EXPECT_EQ(parseTileMapString(c.text, "map.tmx"), nullptr) << c.what;
        EXPECT_EQ(err.text(), c.message + "\n") << c.what;
    }
}

TEST(TmxReader, FilesAreReadWholeAndMissingFilesNamed) {
    const std::string path = testing::TempDir() + "tmxreader_file.tmx";
    std::ofstream(path, std::ios::binary)
        << "\xEF\xBB\xBF" << wrapMap(kTileset + layer("inside", "1,2,3,4,5,6,7,8"));
    const auto map = readTileMapFile(path);
    std::remove(path.c_str());
    ASSERT_TRUE(map);
    EXPECT_EQ(map->layers[0].tiles.back(), 8);

    ErrCapture err;
    EXPECT_EQ(readTileMapFile("no/such/map.tmx"), nullptr);
    EXPECT_EQ(err.text(), "loadMap: could not open file no/such/map.tmx\n");
}
