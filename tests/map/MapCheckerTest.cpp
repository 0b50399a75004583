#include "map/MapChecker.hpp"

#include "map/TmxReader.hpp"
#include "support/Files.hpp"
#include "support/TestLevel.hpp"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

class MapCheckerTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::filesystem::create_directories(imageDir());
        testlevel::writeImages(imageDir());
    }

    static std::string imageDir() { return testing::TempDir() + "pellowick_mapchecker/"; }

    // The report of the test level after replacing `from` by `to` (which must occur in it), and the lines
    // that the edit covers.
    static std::string reportAfter(const std::string& from, const std::string& to, bool& playable, int& first,
                                   int& last) {
        std::string text = testlevel::mapText(imageDir());
        const auto at = text.find(from);
        if (at == std::string::npos) {
            ADD_FAILURE() << from;
            return "";
        }
        first = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
        last = first + static_cast<int>(std::count(to.begin(), to.end(), '\n'));
        const auto map = parseTileMapString(text.replace(at, from.size(), to), "map.tmx");
        if (!map) {
            return "unreadable";
        }
        std::ostringstream out;
        playable = MapChecker::report(MapChecker(imageDir()).check(*map), "map.tmx", out);
        return out.str();
    }
};

} // namespace

struct Breakage {
    const char* what;
    std::string from, to;
    std::string line; // expected among the report's lines
    bool stillPlayable = false;
};

TEST_F(MapCheckerTest, EachBreakageIsReportedOnItsOwnLine) {
    const std::string player = "name=\"player1\" type=\"player\"";
    const std::string dir = imageDir();
    // The map's own properties go right after its opening tag, one element a line as Tiled writes them.
    const std::string mapTag = "infinite=\"0\">\n";
    const auto withProperties = [&](const std::string& properties) {
        return mapTag + "<properties>\n" + properties + "</properties>\n";
    };
    const auto medals = [&](const std::string& gold, const std::string& silver, const std::string& bronze) {
        return withProperties("<property name=\"bronzeTime\" type=\"float\" value=\"" + bronze +
                              "\"/>\n<property name=\"goldTime\" type=\"float\" value=\"" + gold +
                              "\"/>\n<property name=\"silverTime\" type=\"float\" value=\"" + silver +
                              "\"/>\n");
    };
    const std::string idRule = "; it names the level's records and ghost files, so it must be 1 to 100 "
                               "letters, digits, '-', '_' or '.', not starting with '.'";
    const std::vector<Breakage> cases = {
        {"player missing", player, "name=\"player\" type=\"player\"",
         "error: object \"player1\": missing: the game needs an object of this name with type \"player\""},
        {"camera before the player", "<objectgroup name=\"Objects\">\n",
         "<objectgroup name=\"Early\">\n" + testlevel::object("cam2", "camera", 0, 0, "") +
             "</objectgroup>\n<objectgroup name=\"Objects\">\n",
         "error: object \"cam2\": comes before \"player1\" in the file; move the player first, the camera "
         "looks it up while the map loads"},
        {"walls rule not a bool", mapTag,
         withProperties("<property name=\"wallsBlockSight\" type=\"bool\" value=\"yes\"/>\n"),
         "error: map property \"wallsBlockSight\": is \"yes\", not true or false (a bool property in Tiled)"},
        {"level id that cannot name a file", mapTag,
         withProperties("<property name=\"levelId\" value=\"farm/house\"/>\n"),
         "error: map property \"levelId\": is \"farm/house\"" + idRule},
        {"empty level id", mapTag, withProperties("<property name=\"levelId\" value=\"\"/>\n"),
         "error: map property \"levelId\": is \"\"" + idRule},
        {"one medal time alone", mapTag,
         withProperties("<property name=\"silverTime\" type=\"float\" value=\"60\"/>\n"),
         "error: map property \"silverTime\": comes without \"goldTime\" and \"bronzeTime\"; the three medal "
         "times go together"},
        {"medal times out of order", mapTag, medals("40", "40", "90"),
         "error: map property \"silverTime\": is 40, not longer than \"goldTime\" (40); the medal times grow "
         "from gold to bronze"},
        {"medal time not a number", mapTag, medals("40", "60", "1:30"),
         "error: map property \"bronzeTime\": is \"1:30\", not a number"},
        {"medal times no run can meet", mapTag, medals("0.01", "0.02", "0.03"),
         "error: map property \"goldTime\": is 0.01; it must be from 1 to 86400"},
        {"medal times the clock cannot tell apart", mapTag, medals("40", "40.05", "90"),
         "error: map property \"silverTime\": is 40.05, less than a tenth of a second longer than "
         "\"goldTime\" (40); the clock shows tenths, so the medal times must lie at least 0.1 apart"},
        {"weightless player", "<property name=\"6_mass\" value=\"1\"/>",
         "<property name=\"6_mass\" value=\"0\"/>",
         "error: object \"player1\": property 6 (\"6_mass\") is 0; it must be greater than 0"},
        {"dog that sees too far", "<property name=\"7_patrolDistanceY\" value=\"0\"/>",
         "<property name=\"7_patrolDistanceY\" value=\"0\"/><property name=\"sightRange\" value=\"900\"/>",
         "error: object \"enemy1\": property \"sightRange\" is 900; it must be from 0 to 400"},
        {"dog speed beyond any number", "<property name=\"4_patrolAxis\"",
         "<property name=\"patrolSpeed\" value=\"1e999\"/><property name=\"4_patrolAxis\"",
         "error: object \"enemy1\": property \"patrolSpeed\" is \"1e999\", not a number"},
        {"scale not a number", "<property name=\"0_scaleX\" value=\"1\"/>",
         "<property name=\"0_scaleX\" value=\"1,5\"/>",
         "error: object \"player1\": property 0 (\"0_scaleX\") is \"1,5\", not a number"},
        {"dog short of properties", "<property name=\"7_patrolDistanceY\" value=\"0\"/>", "",
         "error: object \"enemy1\": has 7 properties; the game reads 8 for type \"enemy1\""},
        {"duplicate formula", "name=\"egg7\" type=\"egg\"", "name=\"formula\" type=\"egg\"",
         "error: object \"formula\": is used by 2 objects; the game keeps only the last under this name"},
        {"player past the map's right edge", "name=\"player1\" type=\"player\" x=\"0\"",
         "name=\"player1\" type=\"player\" x=\"2000\"",
         "error: object \"player1\": spans (2000, 0) to (2016, 16), outside the map of 64x48 pixels; the "
         "game needs its player inside the map"},
        {"goal partly below the map", "type=\"goal\" x=\"32\" y=\"32\"", "type=\"goal\" x=\"32\" y=\"40\"",
         "error: object of type \"goal\" at (32, 40): spans (32, 40) to (48, 56), outside the map of 64x48 "
         "pixels; the game needs its goal inside the map"},
        {"camera above the map", "name=\"camera\" type=\"camera\" x=\"0\" y=\"0\" width=\"16\" height=\"16\"",
         "name=\"camera\" type=\"camera\" x=\"10\" y=\"-1\" width=\"0\" height=\"0\"",
         "error: object \"camera\": stands at (10, -1), outside the map of 64x48 pixels; the game needs its "
         "camera inside the map"},
        {"unknown type", "type=\"goal\"", "type=\"Goal\"",
         "warning: object of type \"Goal\" at (32, 32): has the unknown type \"Goal\"; the game skips it"},
        {"no goal", "type=\"goal\"", "type=\"\"",
         "error: type \"goal\": no object has it; the level needs at least one"},
        {"layer renamed", "name=\"inside2\"", "name=\"Inside2\"",
         "error: layer \"inside2\": missing: the game draws the tile layers \"inside\", \"inside2\", "
         "\"outside\" and \"outside2\""},
        {"object group renamed", "<objectgroup name=\"Objects\">", "<objectgroup name=\"objects\">",
         "error: object group \"Objects\": missing: the game draws its sprites from it"},
        {"missing texture", dir + "sprite.png", dir + "nope.png",
         "error: object \"player1\": texture \"" + dir + "nope.png\" does not exist"},
        {"doors overlap", "name=\"door\" type=\"entrance\" x=\"0\" y=\"32\"",
         "name=\"door\" type=\"entrance\" x=\"40\" y=\"8\"",
         "error: object \"door\": overlaps the exit object of type \"exit\" at (48, 0); the player would "
         "enter and leave at once"},
        {"doors too close", "name=\"door\" type=\"entrance\" x=\"0\" y=\"32\"",
         "name=\"door\" type=\"entrance\" x=\"20\" y=\"16\"",
         "warning: object \"door\": is so close to the exit object of type \"exit\" at (48, 0) that the "
         "player can touch both at once",
         true},
        {"hint without words", "<objectgroup name=\"Objects\">\n",
         "<objectgroup name=\"Objects\">\n" +
             testlevel::object("tip", "hint", 0, 0, "<property name=\"text\" value=\" \"/>"),
         "error: object \"tip\": is a hint without text; give it the property \"text\""},
        {"hint naming no action", "<objectgroup name=\"Objects\">\n",
         "<objectgroup name=\"Objects\">\n" +
             testlevel::object("tip", "hint", 0, 0, "<property name=\"text\" value=\"Press {JUMP}\"/>"),
         "error: object \"tip\": names the action \"{JUMP}\", which does not exist; use {MOVE} or an action "
         "of the settings, such as {LAY}"},
        {"properties Tiled would reorder", "<property name=\"0_offsetX\"", "<property name=\"9_offsetX\"",
         "warning: object \"camera\": property names are not in alphabetical order (\"9_offsetX\" before "
         "\"1_offsetY\"); Tiled will reorder them on save",
         true},
    };
    for (const Breakage& c : cases) {
        bool playable = !c.stillPlayable;
        int first = 0, last = 0;
        const std::string text = reportAfter(c.from, c.to, playable, first, last);
        const auto found = text.find(": " + c.line + "\n");
        ASSERT_NE(found, std::string::npos) << c.what << ":\n" << text;
        EXPECT_EQ(playable, c.stillPlayable) << c.what << ":\n" << text;
        // Something missing has no place in the file; everything else points into the edit.
        const std::size_t lineStart = text.rfind('\n', found) + 1; // 0 when found on the first line
        const std::string where = text.substr(lineStart, found - lineStart);
        if (c.line.find("missing") != std::string::npos ||
            c.line.find("no object has it") != std::string::npos) {
            EXPECT_EQ(where, "map.tmx") << c.what;
        } else {
            const int line = where.rfind("map.tmx:", 0) == 0 ? std::stoi(where.substr(8)) : 0;
            EXPECT_TRUE(line >= first && line <= last) << c.what << ": " << where;
        }
    }
}

// A level saved by Tiled, one element a line: each problem names the line of the element at fault.
TEST_F(MapCheckerTest, ProblemsInASavedLevelNameTheLineOfTheirElement) {
    std::string text = readWholeFile(std::string(PELLOWICK_SOURCE_DIR) + "/Assets/map.tmx");
    const auto lineOf = [&](const std::string& what, std::size_t after = 0) {
        const auto at = text.find(what, after);
        EXPECT_NE(at, std::string::npos) << what;
        return std::to_string(1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
    };
    const auto replace = [&](const std::string& from, const std::string& to, std::size_t after = 0) {
        text.replace(text.find(from, after), from.size(), to);
    };
    const std::size_t dog = text.find("name=\"enemy7\"");
    const std::string distance = "name=\"5_patrolDistanceX\" type=\"float\" value=\"0\"";
    const std::string expected[] = {
        "map.tmx:" + lineOf(distance, dog) +
            ": error: object \"enemy7\": property 5 (\"5_patrolDistanceX\") is \"far\", not a number",
        "map.tmx:" + lineOf("name=\"enemy8\"") +
            ": warning: object \"enemy8\": has the unknown type \"enemy3\"; the game skips it",
        "map.tmx:" + lineOf("name=\"interior\"") +
            ": error: tileset \"interior\": image \"Assets/missing.png\" could not be loaded",
    };
    replace(distance, "name=\"5_patrolDistanceX\" type=\"float\" value=\"far\"", dog);
    replace("name=\"enemy8\" type=\"enemy1\"", "name=\"enemy8\" type=\"enemy3\"");
    replace("source=\"interior.png\"", "source=\"missing.png\"");
    const auto map = parseTileMapString(text, "map.tmx");
    ASSERT_NE(map, nullptr);
    std::ostringstream out;
    MapChecker::report(MapChecker().check(*map), "map.tmx", out);
    for (const std::string& line : expected) {
        EXPECT_NE(out.str().find(line + "\n"), std::string::npos) << line << "\nin\n" << out.str();
    }
}
