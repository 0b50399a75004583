#include "map/MapChecker.hpp"
#include "map/TmxReader.hpp"
#include "storage/LevelCatalog.hpp"

#include <SFML/Graphics/Image.hpp>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

// Every shipped level, held against what Tiled itself makes of it. Skipped until the level exists.
namespace {
const std::string kOffscreen = "QT_QPA_PLATFORM=offscreen ";

int run(const std::string& command) {
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str());
}

std::vector<std::string> linesOf(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The facts a map holds, one a line, to compare a copy against the original.
std::vector<std::string> summaryOf(const TileMap& map) {
    std::ostringstream out;
    out << "map " << map.width << "x" << map.height << " cells of " << map.tileWidth << "x" << map.tileHeight
        << "\n";
    for (const Tileset& t : map.tilesets) {
        out << "tileset " << t.firstGid << " " << t.name << " " << t.tileWidth << "x" << t.tileHeight << "\n";
    }
    for (const TileLayer& layer : map.layers) {
        out << "layer " << layer.name << " " << layer.width << "x" << layer.height << ": ";
        for (std::size_t i = 0; i < layer.tiles.size(); ++i) {
            out << (i ? "," : "") << layer.tiles[i];
        }
        out << "\n";
    }
    for (const ObjectGroup& group : map.objectGroups) {
        out << "group " << group.name << " visible=" << group.visible << "\n";
        for (const MapObject& o : group.objects) {
            out << "object " << o.name << "|" << o.type << "|" << o.x << "|" << o.y << "|" << o.width << "|"
                << o.height << "\n";
            for (const ObjectProperty& property : o.properties) {
                out << "property " << property.name << "=" << property.value << "\n";
            }
        }
    }
    return linesOf(std::istringstream(out.str()));
}

// Equal, or a property whose number Tiled spells its own way ("2.50" comes back as "2.5").
bool sameFact(const std::string& ours, const std::string& tiled) {
    const auto split = ours.find('=');
    if (ours == tiled || ours.rfind("property ", 0) != 0 || split == std::string::npos ||
        tiled.compare(0, split + 1, ours, 0, split + 1) != 0) {
        return ours == tiled;
    }
    char *ourEnd = nullptr, *tiledEnd = nullptr;
    const double a = std::strtod(ours.c_str() + split + 1, &ourEnd);
    const double b = std::strtod(tiled.c_str() + split + 1, &tiledEnd);
    return *ourEnd == '\0' && *tiledEnd == '\0' && a == b;
}

void expectSameFacts(const std::vector<std::string>& ours, const std::vector<std::string>& tiled) {
    ASSERT_EQ(ours.size(), tiled.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        EXPECT_TRUE(sameFact(ours[i], tiled[i])) << "\n ours:  " << ours[i] << "\n Tiled: " << tiled[i];
    }
}

// Share of visibly different pixels; fully transparent pixels match whatever their colour.
double differingShare(const sf::Image& a, const sf::Image& b) {
    std::size_t differing = 0;
    auto far = [](sf::Uint8 p, sf::Uint8 q) { return std::abs(p - q) > 8; };
    for (unsigned y = 0; y < a.getSize().y; ++y) {
        for (unsigned x = 0; x < a.getSize().x; ++x) {
            const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
            differing += (p.a || q.a) && (far(p.r, q.r) || far(p.g, q.g) || far(p.b, q.b) || far(p.a, q.a));
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(a.getSize().x) * a.getSize().y);
}

class TiledRoundTripTest : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        mapPath = GetParam();
        if (!std::filesystem::exists(mapPath)) {
            GTEST_SKIP() << "no " << mapPath << " in the runtime folder yet";
        }
        if (run("command -v tiled && command -v tmxrasterizer") != 0) {
            GTEST_SKIP() << "Tiled is not installed";
        }
        map = readTileMapFile(mapPath);
        ASSERT_TRUE(map);
    }

    void TearDown() override {
        for (const std::string& path : made) {
            std::filesystem::remove(path);
        }
    }

    // A scratch file beside the map, so that Tiled keeps the image paths as they are.
    std::string scratch(const std::string& suffix) {
        made.push_back("Assets/.roundtrip-" + std::to_string(getpid()) + suffix);
        return made.back();
    }

    std::string mapPath;
    std::unique_ptr<TileMap> map;
    std::vector<std::string> made;
};

} // namespace

// Tiled reads the level and writes it back with the same layers, objects and properties.
TEST_P(TiledRoundTripTest, ACopySavedByTiledStillPassesTheChecker) {
    const std::string copyPath = scratch(".tmx");
    ASSERT_EQ(run(kOffscreen + "tiled --export-map tmx --embed-tilesets " + mapPath + " " + copyPath), 0);
    const auto copy = readTileMapFile(copyPath);
    ASSERT_TRUE(copy);
    std::ostringstream report;
    EXPECT_TRUE(MapChecker::report(MapChecker().check(*map), mapPath, report)) << report.str();
    EXPECT_TRUE(MapChecker::report(MapChecker().check(*copy), copyPath, report)) << report.str();
    expectSameFacts(summaryOf(*copy), summaryOf(*map));
}

TEST_P(TiledRoundTripTest, TileLayersRenderLikeTiledsRasterizer) {
    const std::string tool = PELLOWICK_RUNTIME_DIR "/pellowick-mapcheck";
    if (!std::filesystem::exists(tool)) {
        GTEST_SKIP() << "pellowick-mapcheck is not built";
    }
    const std::string ours = scratch("-ours.png"), theirs = scratch("-tiled.png");
    for (const std::string layer : {"inside", "inside2", "outside", "outside2"}) {
        ASSERT_EQ(run(tool + " " + mapPath + " --render " + ours + " --only-layer " + layer), 0) << layer;
        ASSERT_EQ(run(kOffscreen + "tmxrasterizer --ignore-visibility --show-layer " + layer + " " + mapPath +
                      " " + theirs),
                  0);
        sf::Image a, b;
        ASSERT_TRUE(a.loadFromFile(ours) && b.loadFromFile(theirs));
        ASSERT_EQ(a.getSize(), b.getSize()) << layer;
        EXPECT_LT(differingShare(a, b), 0.001) << layer;
    }
}

static std::vector<std::string> everyShippedMap() {
    std::vector<std::string> maps = LevelCatalog::shippedLevels();
    maps.insert(maps.end(), LevelCatalog::lessons().begin(), LevelCatalog::lessons().end());
    return maps;
}
INSTANTIATE_TEST_SUITE_P(ShippedLevels, TiledRoundTripTest, testing::ValuesIn(everyShippedMap()));
