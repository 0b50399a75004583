#include "map/MapChecker.hpp"
#include "map/TmxReader.hpp"

#include <SFML/Graphics/Image.hpp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

// The real level, checked against what Tiled itself makes of it.
namespace {

const std::string kMapPath = "Assets/map.tmx";
const std::string kTiled = "QT_QPA_PLATFORM=offscreen ";

int run(const std::string& command) {
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The same facts, in the same form, as tests/map/tiled_json_summary.py prints from Tiled's JSON export.
std::vector<std::string> summaryOf(const TileMap& map) {
    std::ostringstream out;
    out << "map " << map.width << "x" << map.height << " cells of " << map.tileWidth << "x" << map.tileHeight
        << "\n";
    for (const Tileset& tileset : map.tilesets)
        out << "tileset " << tileset.firstGid << " " << tileset.name << " " << tileset.tileWidth << "x"
            << tileset.tileHeight << "\n";
    for (const TileLayer& layer : map.layers) {
        out << "layer " << layer.name << " " << layer.width << "x" << layer.height << ": ";
        for (std::size_t i = 0; i < layer.tiles.size(); ++i)
            out << (i ? "," : "") << layer.tiles[i];
        out << "\n";
    }
    for (const ObjectGroup& group : map.objectGroups) {
        out << "group " << group.name << " visible=" << group.visible << "\n";
        for (const MapObject& o : group.objects) {
            out << "object " << o.name << "|" << o.type << "|" << o.x << "|" << o.y << "|" << o.width << "|"
                << o.height << "\n";
            for (const ObjectProperty& property : o.properties)
                out << "property " << property.name << "=" << property.value << "\n";
        }
    }
    return linesOf(out.str());
}

// Tiled writes numbers its own way ("2.50" comes back as "2.5").
bool sameFact(const std::string& ours, const std::string& tiled) {
    if (ours == tiled)
        return true;
    const auto ourValue = ours.find('='), tiledValue = tiled.find('=');
    if (ours.rfind("property ", 0) != 0 || ourValue == std::string::npos ||
        ours.substr(0, ourValue) != tiled.substr(0, tiledValue))
        return false;
    char* ourEnd = nullptr;
    char* tiledEnd = nullptr;
    const double a = std::strtod(ours.c_str() + ourValue + 1, &ourEnd);
    const double b = std::strtod(tiled.c_str() + tiledValue + 1, &tiledEnd);
    return *ourEnd == '\0' && *tiledEnd == '\0' && a == b;
}

void expectSameFacts(const std::vector<std::string>& ours, const std::vector<std::string>& tiled) {
    ASSERT_EQ(ours.size(), tiled.size());
    for (std::size_t i = 0; i < ours.size(); ++i)
        EXPECT_TRUE(sameFact(ours[i], tiled[i]))
            << "line " << i << "\n ours:  " << ours[i] << "\n Tiled: " << tiled[i];
}

// Share of pixels that differ visibly; fully transparent pixels match whatever their colour.
double differingShare(const sf::Image& a, const sf::Image& b) {
    std::size_t differing = 0;
    const sf::Vector2u size = a.getSize();
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x) {
            const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
            if (p.a == 0 && q.a == 0)
                continue;
            if (std::abs(p.r - q.r) > 8 || std::abs(p.g - q.g) > 8 || std::abs(p.b - q.b) > 8 ||
                std::abs(p.a - q.a) > 8)
                ++differing;
        }
    return static_cast<double>(differing) / (static_cast<double>(size.x) * size.y);
}

class TiledRoundTrip : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kMapPath))
            GTEST_SKIP() << "no " << kMapPath << " in the runtime folder yet";
        if (run("command -v tiled && command -v tmxrasterizer") != 0)
            GTEST_SKIP() << "Tiled is not installed";
        map = readTileMapFile(kMapPath);
        ASSERT_TRUE(map);
    }

    void TearDown() override {
        for (const std::string& path : made)
            std::filesystem::remove(path);
    }

    // A scratch file beside the map, where Tiled keeps the image paths as they are.
    std::string scratch(const std::string& suffix) {
        made.push_back("Assets/.roundtrip-" + std::to_string(getpid()) + suffix);
        return made.back();
    }

    std::unique_ptr<TileMap> map;
    std::vector<std::string> made;
};

} // namespace

TEST_F(TiledRoundTrip, TiledReadsTheSameLayersObjectsAndProperties) {
    const std::string json = scratch(".json");
    const std::string summary = scratch(".txt");
    ASSERT_EQ(run(kTiled + "tiled --export-map json " + kMapPath + " " + json), 0);
    ASSERT_EQ(std::system(("python3 " PELLOWICK_SOURCE_DIR "/tests/map/tiled_json_summary.py " + json +
                           " > " + summary)
                              .c_str()),
              0);
    std::ifstream in(summary);
    const std::string tiled((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    expectSameFacts(summaryOf(*map), linesOf(tiled));
}

TEST_F(TiledRoundTrip, ACopySavedByTiledStillPassesTheChecker) {
    const std::string copyPath = scratch(".tmx");
    ASSERT_EQ(run(kTiled + "tiled --export-map tmx --embed-tilesets " + kMapPath + " " + copyPath), 0);
    const auto copy = readTileMapFile(copyPath);
    ASSERT_TRUE(copy);
    std::ostringstream report;
    EXPECT_TRUE(MapChecker::report(MapChecker().check(*map), kMapPath, report)) << report.str();
    EXPECT_TRUE(MapChecker::report(MapChecker().check(*copy), copyPath, report)) << report.str();
    expectSameFacts(summaryOf(*copy), summaryOf(*map));
}

TEST_F(TiledRoundTrip, TileLayersRenderLikeTiledsRasterizer) {
    const std::string tool = PELLOWICK_RUNTIME_DIR "/pellowick-mapcheck";
    if (!std::filesystem::exists(tool))
        GTEST_SKIP() << "pellowick-mapcheck is not built";
    const std::string ours = scratch("-ours.png");
    const std::string theirs = scratch("-tiled.png");
    for (const char* layer : {"inside", "inside2", "outside", "outside2"}) {
        ASSERT_EQ(run(tool + " " + kMapPath + " --render " + ours + " --only-layer " + layer), 0) << layer;
        ASSERT_EQ(run(kTiled + "tmxrasterizer --ignore-visibility --show-layer " + layer + " " + kMapPath +
                      " " + theirs),
                  0)
            << layer;
        sf::Image a, b;
        ASSERT_TRUE(a.loadFromFile(ours));
        ASSERT_TRUE(b.loadFromFile(theirs));
        ASSERT_EQ(a.getSize(), b.getSize()) << layer;
        EXPECT_LT(differingShare(a, b), 0.001) << layer;
    }
}
