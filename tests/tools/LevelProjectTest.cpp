// The level designers' Tiled project: its object types come from the game's own rules, and Tiled 1.8 itself,
// given those types, fills a placed object with the properties the game needs.
#include "map/LevelSchema.hpp"
#include "map/TmxReader.hpp"
#include "support/ProgramRun.hpp"
#include "support/TestLevel.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = PELLOWICK_SOURCE_DIR;
const fs::path kRuntime = PELLOWICK_RUNTIME_DIR;

// One of our tools, quoted for the shell.
std::string tool(const std::string& name) {
    return "'" + (kRuntime / name).string() + "' ";
}

void expectPropertiesOfTheirType(const TileMap& map) {
    int typed = 0;
    for (const ObjectGroup& group : map.objectGroups) {
        for (const MapObject& object : group.objects) {
            const LevelSchema::ObjectType* type = LevelSchema::find(object.type);
            ASSERT_NE(type, nullptr) << object.name;
            // Every required property, in order; an optional one only where Tiled writes it out.
            const auto required = std::count_if(type->properties.begin(), type->properties.end(),
                                                [](const auto& property) { return property.required; });
            ASSERT_GE(object.properties.size(), static_cast<std::size_t>(required)) << object.name;
            ASSERT_LE(object.properties.size(), type->properties.size()) << object.name;
            for (std::size_t i = 0; i < object.properties.size(); ++i) {
                EXPECT_EQ(object.properties[i].name, type->properties[i].name) << object.name;
                EXPECT_EQ(object.properties[i].value, type->properties[i].defaultValue) << object.name;
            }
            typed += type->properties.empty() ? 0 : 1;
        }
    }
    EXPECT_GT(typed, LevelSchema::kDogCount);
}

} // namespace

TEST(LevelProjectTest, CommittedObjectTypesAreWhatTheToolWrites) {
    const std::string folder = makeTempFolder("objecttypes");
    ASSERT_EQ(runWithoutDisplay(tool("pellowick-objecttypes") + "objecttypes.xml", folder).status, 0);
    EXPECT_EQ(readWholeFile(folder + "/objecttypes.xml"), readWholeFile(kSource / "levels/objecttypes.xml"))
        << "run pellowick-objecttypes levels/objecttypes.xml and commit the result";
    fs::remove_all(folder);
}

TEST(LevelProjectTest, TiledFillsTypedObjectsAndTheCheckerAcceptsTheMapEitherWay) {
    const fs::path folder = makeTempFolder("tiled-types");
    // With no project open, Tiled on the command line reads its object types from the user's data folder.
    fs::create_directories(folder / "data/tiled");
    fs::copy_file(kSource / "levels/objecttypes.xml", folder / "data/tiled/objecttypes.xml");
    for (const char* picture : {"terrain.png", "interior.png"}) {
        fs::copy_file(kSource / "Assets" / picture, folder / picture);
    }
    std::ofstream(folder / "typed.tmx", std::ios::binary)
        << testlevel::withTypesOnly(readWholeFile(kSource / "Assets/map.tmx"));
    const ProgramRun tiled = runWithoutDisplay(
        "HOME='" + folder.string() + "' XDG_DATA_HOME='" + (folder / "data").string() +
            "' XDG_CONFIG_HOME='" + (folder / "config").string() +
            "' QT_QPA_PLATFORM=offscreen tiled --export-map tmx --resolve-types-and-properties typed.tmx "
            "resolved.tmx",
        folder.string());
    ASSERT_EQ(tiled.status, 0) << tiled.out << tiled.err;

    const auto resolved = readTileMapFile((folder / "resolved.tmx").string());
    ASSERT_NE(resolved, nullptr);
    expectPropertiesOfTheirType(*resolved);

    // The game itself gives a typed object what its type supplies, so the map as saved plays too.
    const auto typed = readTileMapFile((folder / "typed.tmx").string());
    ASSERT_NE(typed, nullptr);
    LevelSchema::fillInTypeProperties(*typed);
    expectPropertiesOfTheirType(*typed);
    for (const char* map : {"resolved.tmx", "typed.tmx"}) {
        const ProgramRun check = runWithoutDisplay(tool("pellowick-mapcheck") + map, folder.string());
        EXPECT_EQ(check.status, 0) << map << ":\n" << check.out << check.err;
    }
    fs::remove_all(folder);
}

// Tiled keeps only what a designer changed; what the object leaves to its type follows in the game's order.
TEST(LevelProjectTest, AnObjectKeepsWhatItSetsAndGetsTheRestFromItsType) {
    MapObject dog;
    dog.type = LevelSchema::kInsideDog;
    dog.properties = {{"7_patrolDistanceY", "150", 12}, {"4_patrolAxis", "vertical", 11}};
    LevelSchema::fillInTypeProperties(dog);
    ASSERT_EQ(dog.properties.size(), 8u);
    EXPECT_EQ(dog.properties[LevelSchema::kPatrolAxis].value, "vertical");
    EXPECT_EQ(dog.properties[LevelSchema::kPatrolDistanceY].value, "150");
    EXPECT_EQ(dog.properties[LevelSchema::kPatrolDistanceY].line, 12);
    EXPECT_EQ(dog.properties[LevelSchema::kTexturePath].value, "Assets/dog2.png");
    EXPECT_EQ(dog.properties[LevelSchema::kTexturePath].line, 0);

    MapObject foreign = dog;
    foreign.properties = {{"scale", "2", 3}};
    LevelSchema::fillInTypeProperties(foreign);
    ASSERT_EQ(foreign.properties.size(), 1u) << "properties under other names are read by position, as given";
}
