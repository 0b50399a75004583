#include "map/TmxReader.hpp"

#include "support/ErrCapture.hpp"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>

namespace {

std::string wrapMap(const std::string& body, const std::string& size = R"(width="4" height="2")") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" " + size +
           " tilewidth=\"16\" tileheight=\"16\">\n" + body + "</map>\n";
}

std::string tileset(int firstGid, const std::string& name) {
    return "<tileset firstgid=\"" + std::to_string(firstGid) + "\" name=\"" + name +
           "\" tilewidth=\"16\" tileheight=\"16\">\n <image source=\"" + name + ".png\"/>\n</tileset>\n";
}

std::string layer(const std::string& name, const std::string& csv, int width = 4, int height = 2) {
    return "<layer id=\"1\" name=\"" + name + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">\n<data encoding=\"csv\">\n" + csv + "</data>\n</layer>\n";
}

} // namespace

// Read from a file, after a byte order mark.
TEST(TmxReaderTest, ReadsEachKindInItsOwnFileOrderWithAtoiNumbers) {
    const std::string path = testing::TempDir() + "tmxreader_file.tmx";
    std::ofstream(path, std::ios::binary)
        << "\xEF\xBB\xBF" +
               wrapMap("<properties><property name=\"name\" value=\"Yard &amp; Barn\"/></properties>\n" +
                       tileset(1, "first") + tileset(65, "second") +
                       layer("inside", "\r\n 1, 2,\t3,\r\n4 5\n6,,7\t8,\n\n") +
                       R"(<objectgroup name="Objects">
  <object id="1" name="player1" type="player" gid="7" x="100.9" y="-0.5" width="16" height="24.8">
    <properties><property name="0_scaleX" value="0.5"/><property name="2_path" value="a&amp;b.png"/></properties>
  </object>
  <object id="2" x="-3.9" y="12"/>
</objectgroup>
)" + tileset(129, "third") +
                       layer("outside", "0,0,0,0,0,0,0,0") +
                       R"(<objectgroup name="hidden" visible="0"><object x="3" y="4"/></objectgroup>
)");
    const auto map = readTileMapFile(path);
    std::remove(path.c_str());
    ASSERT_TRUE(map);
    EXPECT_EQ(map->property("name"), "Yard & Barn");
    EXPECT_EQ(map->property("author"), "");
    ASSERT_EQ(map->tilesets.size(), 3u);
    EXPECT_EQ(std::tie(map->width, map->height, map->tilesets[2].firstGid, map->tilesets[2].imageSource),
              std::make_tuple(4, 2, 129, std::string("third.png")));
    ASSERT_EQ(map->layers.size(), 2u);
    EXPECT_EQ(map->layers[0].tiles, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(map->layers[1].name, "outside");
    ASSERT_EQ(map->objectGroups.size(), 2u);
    EXPECT_TRUE(map->objectGroups[0].visible);
    EXPECT_FALSE(map->objectGroups[1].visible);

    const MapObject& player = map->objectGroups[0].objects.at(0);
    EXPECT_EQ(std::tie(player.name, player.type, player.gid, player.x, player.y, player.height),
              std::make_tuple(std::string("player1"), std::string("player"), 7, 100, 0, 24));
    ASSERT_EQ(player.properties.size(), 2u);
    EXPECT_EQ(player.properties[1].name + "=" + player.properties[1].value, "2_path=a&b.png");
    const MapObject& point = map->objectGroups[0].objects.at(1);
    EXPECT_EQ(std::tie(point.name, point.type, point.x, point.width, point.height),
              std::make_tuple(std::string(), std::string(), -3, 0, 0));
    EXPECT_TRUE(point.properties.empty());
}

TEST(TmxReaderTest, EachMalformationGivesOneLineAndNoMap) {
    const std::string ground = tileset(1, "ground"); // lines 3 to 5 of a wrapped map
    // Deep enough to exhaust the stack of a reader that recursed once per level.
    std::string deep = "<map>";
    for (int level = 0; level < 300000; ++level) {
        deep += "<a>";
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {wrapMap("<objectgroup name=\"a\">\n<object x=\"1\" y=2/>\n</objectgroup>\n"),
         "map.tmx:4: not well-formed XML: expected ' or \""},
        {"<?xml version=\"1.0\"?>\n<level/>\n", "map.tmx: no <map> element"},
        {wrapMap(ground + "<layer id=\"1\" name=\"inside\" width=\"4\">\n<data>1</data></layer>\n"),
         "map.tmx:6: <layer name=\"inside\"> lacks \"height\""},
        {wrapMap("<layer name=\"inside\" width=\"4\" height=\"2\"/>\n"),
         "map.tmx:3: <layer name=\"inside\"> lacks <data>"},
        {wrapMap(ground + layer("inside", "1,1,1,1,1,1,1")),
         "map.tmx:7: layer \"inside\" has 7 tiles, expected 8 (4x2)"},
        {wrapMap("", R"(width="-4" height="2")"), "map.tmx:2: <map> has width -4, outside 0..4096"},
        {wrapMap(layer("huge", "", 100000, 100000)),
         "map.tmx:3: <layer name=\"huge\"> has width 100000, outside 0..4096"},
        {wrapMap(ground + layer("inside", "1,1,1,\n2147483649,1,1,1,1")),
         "map.tmx:9: layer \"inside\" cell 3 uses flipped tiles, which the game does not support"},
        {wrapMap(layer("inside", "0,0,0,0,0,0,0,0") + tileset(5, "late") +
                 layer("inside2", "0,0,\n0,3,0,0,0,0")),
         "map.tmx:13: layer \"inside2\" cell 3 holds tile 3, below the first tileset's first id 5"},
        {wrapMap(ground + tileset(1, "again")),
         "map.tmx:6: tileset \"again\" starts at id 1, not after tileset \"ground\" (1)"},
        {wrapMap("<tileset firstgid=\"1\" source=\"ground.tsx\"/>\n"),
         "map.tmx:3: <tileset firstgid=\"1\"> refers to the external tileset file \"ground.tsx\"; embed the "
         "tileset in the map"},
        {wrapMap("<layer name=\"b\" width=\"1\" height=\"1\"><data "
                 "encoding=\"base64\">AQAAAA==</data></layer>\n"),
         "map.tmx:3: layer \"b\" stores its tiles as base64; save the map with CSV layer data"},
        {wrapMap("<objectgroup name=\"Objects\">\n<object id=\"4\" x=\"1\"/>\n</objectgroup>\n"),
         "map.tmx:4: <object id=\"4\"> lacks \"y\""},
        {wrapMap("<objectgroup name=\"O\"><object x=\"1\" y=\"1\"><properties>\n<property "
                 "name=\"0_offsetX\">multi\nline</property></properties></object></objectgroup>\n"),
         "map.tmx:4: <property name=\"0_offsetX\"> lacks \"value\""},
        {deep, "map.tmx:1: elements nested more than 64 deep"},
    };
    for (const auto& [text, message] : cases) {
        ErrCapture err;
        EXPECT_EQ(parseTileMapString(text, "map.tmx"), nullptr) << message;
        EXPECT_EQ(err.text(), message + "\n");
    }
}
