// The level compiler on small hand-drawn sources: each mistake a level designer can make in the text art
// or the object list is named (one case of each check), and a sound level becomes a map the game's own
// checker accepts.

#include "LevelCompiler.hpp"

#include "InteriorPainter.hpp"
#include "LevelSource.hpp"
#include "TerrainPainter.hpp"
#include "map/LevelSchema.hpp"
#include "map/MapChecker.hpp"
#include "map/TmxReader.hpp"
#include "support/ErrCapture.hpp"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A 10x8-cell building with its front door in the south wall and its back door in the north wall, a goal
// pad, and the player, the dogs, the eggs and the formula spread out where nothing is in their way.
// As large as the shipped levels.
constexpr std::size_t kWidth = 80;
constexpr std::size_t kHeight = 64;

struct SmallLevel {
    std::vector<std::string> outside{kHeight, std::string(kWidth, '.')};
    std::vector<std::string> inside{kHeight, std::string(kWidth, ' ')};
    std::vector<std::string> objects{"player player1 100 900", "formula formula 196 196"};

    SmallLevel() {
        for (int y = 10; y <= 17; ++y) {
            for (int x = 10; x <= 19; ++x) {
                outside[y][x] = '@';
                inside[y][x] = y == 10 || y == 17 || x == 10 || x == 19 ? '#' : '.';
            }
        }
        inside[17][14] = inside[17][15] = 'D';
        inside[10][14] = 'B';
        outside[40][40] = outside[40][41] = outside[41][40] = outside[41][41] = 'G';
        for (int i = 1; i <= LevelSchema::kDogCount; ++i) {
            objects.push_back("enemy1 enemy" + std::to_string(i) + " " + std::to_string(60 + 40 * i) +
                              " 700 vertical 10");
        }
        for (int i = 1; i <= LevelSchema::kEggCount; ++i) {
            objects.push_back("egg egg" + std::to_string(i) + " " + std::to_string(60 + 40 * i) + " 800");
        }
    }

    void replace(const std::string& start, const std::string& line) {
        for (std::string& object : objects) {
            if (object.rfind(start, 0) == 0) {
                object = line;
            }
        }
    }

    void write(const std::string& dir) const {
        std::filesystem::create_directories(dir);
        for (const auto& [file, lines] :
             {std::pair{"outside.txt", &outside}, std::pair{"inside.txt", &inside},
              std::pair{"objects.txt", &objects}}) {
            std::ofstream out(dir + file);
            for (const std::string& line : *lines) {
                out << line << '\n';
            }
        }
    }
};

const std::string kDir = testing::TempDir() + "pellowick_level_source/";

// What the compiler prints about `level`; the map, when there is one, goes to `map`.
std::string problemsOf(const SmallLevel& level, std::optional<TmxDocument>* map = nullptr) {
    static const TileSheet terrain = TerrainPainter::paint();
    static const TileSheet interior = InteriorPainter::paint();
    level.write(kDir);
    ErrCapture err;
    if (const auto source = LevelSource::load(kDir)) {
        auto compiled = LevelCompiler(*source, terrain, interior).compile();
        if (map) {
            *map = std::move(compiled);
        }
    }
    return err.text();
}

TEST(LevelCompilerTest, ASoundLevelBecomesAMapTheGameAccepts) {
    std::optional<TmxDocument> map;
    SmallLevel level;
    level.objects.push_back("map levelId small-1");
    level.objects.push_back("map intro Two words,  and more: to the end of the line.  ");
    EXPECT_EQ(problemsOf(level, &map), "");
    ASSERT_TRUE(map && map->save(kDir + "map.tmx"));
    const auto read = readTileMapFile(kDir + "map.tmx");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->property(LevelSchema::kLevelId), "small-1");
    EXPECT_EQ(read->property(LevelSchema::kLevelIntro), "Two words,  and more: to the end of the line.");
    const auto problems = MapChecker("Assets/").check(*read);
    std::ostringstream report;
    EXPECT_TRUE(MapChecker::report(problems, "map.tmx", report)) << report.str();
}

// A lesson places one dog, one egg and a hint; the kennel holds the rest of what the game looks up.
TEST(LevelCompilerTest, TheKennelKeepsWhatALessonLeavesOutOffTheMapSeeingNothing) {
    SmallLevel level;
    level.objects = {"player player1 100 900",
                     "formula formula 196 196",
                     "enemy1 enemy1 100 700 vertical 10",
                     "egg egg1 300 900",
                     "kennel",
                     "hint tip 300 880 64 32 Press {LAY}, then {SHOOT}."};
    std::optional<TmxDocument> map;
    EXPECT_EQ(problemsOf(level, &map), "");
    ASSERT_TRUE(map);
    int kennelled = 0;
    for (const TmxDocument::Object& object : map->getObjects()) {
        const bool far = object.x < 0 && object.y < 0 && object.type != LevelSchema::kOutsideWall;
        kennelled += far;
        EXPECT_TRUE(!far || !LevelSchema::isDog(object.type) || object.properties.back().value == "0")
            << object.name << " sees nothing";
        EXPECT_TRUE(object.type != LevelSchema::kHint ||
                    object.properties.at(0).value == "Press {LAY}, then {SHOOT}.");
    }
    EXPECT_EQ(kennelled, LevelSchema::kDogCount - 1 + LevelSchema::kEggCount - 1);
}

TEST(LevelCompilerTest, NamesEveryMistakeInTheSource) {
    using Edit = std::function<void(SmallLevel&)>;
    const std::vector<std::pair<Edit, std::string>> cases = {
        {[](SmallLevel& l) { l.outside[0][3] = '?'; }, "outside.txt cell (3, 0): unknown character '?'"},
        {[](SmallLevel& l) { l.inside[12][12] = '?'; }, "inside.txt cell (12, 12): unknown character '?'"},
        {[](SmallLevel& l) { l.outside[30][30] = '@'; }, "'@' must cover exactly the building"},
        {[](SmallLevel& l) { l.inside[12][12] = 'D'; }, "a door must sit in the building's outer wall"},
        {[](SmallLevel& l) { l.outside[41][41] = '.'; }, "the goal pad 'G' must be one 2x2 block"},
        {[](SmallLevel& l) { l.inside[17][14] = l.inside[17][15] = '#'; }, "the front door 'D' is missing"},
        {[](SmallLevel& l) { l.inside[13][19] = 'D'; }, "the front door 'D' must be one straight run"},
        {[](SmallLevel& l) {
             l.inside[10][14] = '#';
             l.inside[12].replace(20, 3, "#B#");
             l.outside[12].replace(20, 3, "@@@");
         },
         "the back door 'B' must lead from a room straight to the open"},
        {[](SmallLevel& l) { l.objects.push_back("egg egg1 300 900"); },
         "objects.txt:35: the name egg1 is used twice"},
        {[](SmallLevel& l) { l.objects.push_back("ghost ghost 300 900"); }, "unknown type ghost"},
        {[](SmallLevel& l) { l.replace("player ", "player hero 100 900"); },
         "needs one player named player1"},
        {[](SmallLevel& l) { l.replace("enemy1 enemy22 ", ""); }, "expects a dog named enemy22"},
        {[](SmallLevel& l) { l.replace("formula ", ""); }, "expects the formula named formula"},
        {[](SmallLevel& l) { l.inside[16][14] = '#'; }, "the entrance (224, 252, 32x16): overlaps the wall"},
        {[](SmallLevel& l) { l.outside[44][6] = 'r'; }, "enemy1's beat (99, 698, 18x30): runs into the wall"},
        {[](SmallLevel& l) { l.replace("enemy1 enemy13 ", "enemy2 enemy13 640 620 vertical 40"); }, ""},
        {[](SmallLevel& l) { l.replace("enemy1 enemy13 ", "enemy1 enemy13 640 620 vertical 40"); },
         "enemy13's beat: crosses the goal"},
        {[](SmallLevel& l) { l.replace("enemy1 enemy1 ", "enemy1 enemy1 130 700 vertical 10"); },
         "enemy1's beat: crosses enemy2's beat"},
        {[](SmallLevel& l) { l.replace("egg egg1 ", "egg egg1 100 705"); }, "egg1: lies on enemy1's beat"},
        {[](SmallLevel& l) { l.outside[50][6] = 'r'; }, "egg1 (100, 800, 8x8): runs into the wall"},
        {[](SmallLevel& l) { l.outside[56][6] = 'r'; }, "player1 (100, 900, 14x14): runs into the wall"},
        {[](SmallLevel& l) { l.inside[12][12] = 'x'; }, "formula (196, 196, 16x16): runs into the wall"},
        {[](SmallLevel& l) { l.objects.push_back("egg egg11"); },
         "objects.txt:35: expected \"type name x y\""},
        {[](SmallLevel& l) { l.objects.push_back("enemy2 enemy23 1 1"); },
         "a dog needs \"horizontal|vertical"},
        {[](SmallLevel& l) { l.objects.push_back("enemy2 enemy23 1 1 up 5"); }, "axis must be horizontal or"},
        {[](SmallLevel& l) { l.objects.push_back("egg egg11 1 1 soft"); }, "unexpected \"soft\""},
        {[](SmallLevel& l) { l.objects.push_back("hint tip 300 900 32"); },
         "objects.txt:35: a hint needs \"width height words\" after its place"},
        {[](SmallLevel& l) { l.objects.push_back("hint tip 300 900 32 16  "); },
         "a hint needs words after its size"},
        {[](SmallLevel& l) { l.outside[5] += "."; }, "outside.txt:6: line has 81 characters, expected 80"},
        {[](SmallLevel& l) { l.inside.pop_back(); }, "inside.txt: 63 lines of art, expected 64"},
    };
    for (const auto& [edit, message] : cases) {
        SmallLevel level;
        edit(level);
        std::optional<TmxDocument> map;
        const std::string problems = problemsOf(level, &map);
        if (message.empty()) {
            EXPECT_EQ(problems, "") << "an inside dog may walk over the goal";
            continue;
        }
        EXPECT_NE(problems.find(message), std::string::npos)
            << "expected: " << message << "\ngot: " << problems;
        EXPECT_FALSE(map) << message;
    }
}

} // namespace
