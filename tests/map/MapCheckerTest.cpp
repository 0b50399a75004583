#include "map/MapChecker.hpp"

#include "map/TestLevel.hpp"
#include "map/TmxReader.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

class MapCheckerTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::filesystem::create_directories(imageDir());
        testlevel::writeImages(imageDir());
        sf::Image narrow;
        narrow.create(8, 64);
        narrow.saveToFile(imageDir() + "narrow.png");
    }

    static std::string imageDir() { return testing::TempDir() + "pellowick_mapchecker/"; }

    // The report of the test level after replacing `from` by `to` (which must occur in it).
    static std::string reportAfter(const std::string& from, const std::string& to, bool* playable = nullptr) {
        std::string text = testlevel::mapText(imageDir());
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
        return report(text, playable);
    }

    static std::string report(const std::string& text, bool* playable = nullptr) {
        const auto map = parseTileMapString(text, "map.tmx");
        if (!map)
            return "unreadable";
        std::ostringstream out;
        const bool fine = MapChecker(imageDir()).report(MapChecker(imageDir()).check(*map), "map.tmx", out);
        if (playable)
            *playable = fine;
        return out.str();
    }
};

} // namespace

TEST_F(MapCheckerTest, TheTestLevelHasNoProblems) {
    bool playable = false;
    EXPECT_EQ(report(testlevel::mapText(imageDir()), &playable), "");
    EXPECT_TRUE(playable);
}

struct Breakage {
    const char* what;
    std::string from, to;
    std::string line; // expected among the report's lines
    bool stillPlayable = false;
};

TEST_F(MapCheckerTest, EachBreakageIsReportedOnItsOwnLine) {
    const std::string player = "name=\"player1\" type=\"player\"";
    const std::string dir = imageDir();
    const std::vector<Breakage> cases = {
        {"player missing", player, "name=\"player\" type=\"player\"",
         "error: object \"player1\": missing: the game needs an object of this name with type \"player\""},
        {"camera before the player", "<objectgroup name=\"Objects\">\n",
         "<objectgroup name=\"Early\">\n" + testlevel::object("cam2", "camera", 0, 0, "") +
             "</objectgroup>\n<objectgroup name=\"Objects\">\n",
         "error: object \"cam2\": comes before \"player1\" in the file; move the player first, the camera "
         "looks it up while the map loads"},
        {"weightless player", "<property name=\"6_mass\" value=\"1\"/>",
         "<property name=\"6_mass\" value=\"0\"/>",
         "error: object \"player1\": property 6 (\"6_mass\", the mass) must be greater than 0"},
        {"scale not a number", "<property name=\"0_scaleX\" value=\"1\"/>",
         "<property name=\"0_scaleX\" value=\"1,5\"/>",
         "error: object \"player1\": property 0 (\"0_scaleX\") is \"1,5\", not a number"},
        {"dog short of properties", "<property name=\"7_patrolDistanceY\" value=\"0\"/>", "",
         "error: object \"enemy1\": has 7 properties; the game reads 8 for type \"enemy1\""},
        {"duplicate formula", "name=\"egg7\" type=\"egg\"", "name=\"formula\" type=\"egg\"",
         "error: object \"formula\": is used by 2 objects; the game keeps only the last under this name"},
        {"unknown type", "type=\"goal\"", "type=\"Goal\"",
         "warning: object of type \"Goal\" at (32, 32): has the unknown type \"Goal\"; the game skips it"},
        {"no goal", "type=\"goal\"", "type=\"\"",
         "error: type \"goal\": no object has it; the level needs at least one"},
        {"layer renamed", "name=\"inside2\"", "name=\"Inside2\"",
         "error: layer \"inside2\": missing: the game draws the tile layers \"inside\", \"inside2\", "
         "\"outside\" "
         "and \"outside2\""},
        {"object group renamed", "<objectgroup name=\"Objects\">", "<objectgroup name=\"objects\">",
         "error: object group \"Objects\": missing: the game draws its sprites from it"},
        {"missing texture", dir + "sprite.png", dir + "nope.png",
         "error: object \"player1\": texture \"" + dir + "nope.png\" does not exist"},
        {"narrow tileset", "source=\"tiles.png\"", "source=\"narrow.png\"",
         "error: tileset \"tiles\": image \"" + dir + "narrow.png\" is narrower than one 16-pixel cell"},
        {"doors overlap", "name=\"door\" type=\"entrance\" x=\"0\" y=\"32\"",
         "name=\"door\" type=\"entrance\" x=\"40\" y=\"8\"",
         "error: object \"door\": overlaps the exit object of type \"exit\" at (48, 0); the player would "
         "enter "
         "and leave at once"},
        {"doors too close", "name=\"door\" type=\"entrance\" x=\"0\" y=\"32\"",
         "name=\"door\" type=\"entrance\" x=\"20\" y=\"16\"",
         "warning: object \"door\": is so close to the exit object of type \"exit\" at (48, 0) that the "
         "player can "
         "touch both at once",
         true},
        {"properties Tiled would reorder", "<property name=\"0_offsetX\"", "<property name=\"9_offsetX\"",
         "warning: object \"camera\": property names are not in alphabetical order (\"9_offsetX\" before "
         "\"1_offsetY\"); Tiled will reorder them on save",
         true},
    };
    for (const Breakage& c : cases) {
        bool playable = !c.stillPlayable;
        const std::string text = reportAfter(c.from, c.to, &playable);
        EXPECT_NE(text.find("map.tmx: " + c.line + "\n"), std::string::npos) << c.what << ":\n" << text;
        EXPECT_EQ(playable, c.stillPlayable) << c.what << ":\n" << text;
    }
}
