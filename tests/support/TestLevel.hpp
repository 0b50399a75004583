#pragma once

#include "map/LevelSchema.hpp"

#include <SFML/Graphics/Image.hpp>
#include <map>
#include <string>

// A small level with everything the game relies on, built from the level's rules, for the map tests. Its
// pictures live in `imageDir` (ending in '/'): the tileset "tiles.png" (8x4 cells of 16 pixels) and the
// object picture "sprite.png".
namespace testlevel {

inline void writeImages(const std::string& imageDir) {
    sf::Image tiles;
    tiles.create(128, 64, sf::Color::Green);
    tiles.saveToFile(imageDir + "tiles.png");
    sf::Image sprite;
    sprite.create(16, 16, sf::Color::Red);
    sprite.saveToFile(imageDir + "sprite.png");
}

inline std::string object(const std::string& name, const std::string& type, int x, int y,
                          const std::string& properties = "", int size = 16) {
    return "  <object name=\"" + name + "\" type=\"" + type + "\" x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(y) + "\" width=\"" + std::to_string(size) + "\" height=\"" + std::to_string(size) +
           "\"><properties>" + properties + "</properties></object>\n";
}

// The properties of `type` in order, with the shipped level's values unless `values` gives one by position;
// drawn types show "sprite.png" from `imageDir`.
inline std::string properties(const std::string& type, const std::string& imageDir,
                              std::map<std::size_t, std::string> values = {}) {
    const LevelSchema::ObjectType& rules = *LevelSchema::find(type);
    if (rules.drawn) {
        values.insert({{LevelSchema::kScaleX, "1"},
                       {LevelSchema::kScaleY, "1"},
                       {LevelSchema::kTexturePath, imageDir + "sprite.png"},
                       {LevelSchema::kTextureName, "sprite"}});
    }
    std::string text;
    for (std::size_t i = 0; i < rules.requiredCount(); ++i) {
        const auto given = values.find(i);
        text += "<property name=\"" + rules.properties[i].name + "\" value=\"" +
                (given == values.end() ? rules.properties[i].defaultValue : given->second) + "\"/>";
    }
    return text;
}

// A map `width` by `height` cells of grass from the shipped "terrain.png", with
// the map's own `mapProperties` (Tiled's property elements, or "") and the `objects`.
inline std::string grassMap(int width, int height, const std::string& mapProperties,
                            const std::string& objects) {
    // The overlays ("inside2", "outside2") stay empty.
    const auto cells = [&](const std::string& tile) {
        std::string all = tile;
        for (int cell = 1; cell < width * height; ++cell) {
            all += "," + tile;
        }
        return all;
    };
    const std::string size =
        "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
    std::string layers;
    for (const std::string& name : LevelSchema::tileLayers()) {
        layers += "<layer name=\"" + name + "\" " + size + "><data encoding=\"csv\">" +
                  cells(name.back() == '2' ? "0" : "1") + "</data></layer>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" orientation=\"orthogonal\" "
           "renderorder=\"right-down\" " +
           size + " tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n" +
           (mapProperties.empty() ? "" : "<properties>" + mapProperties + "</properties>\n") +
           "<tileset firstgid=\"1\" name=\"terrain\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"80\" "
           "columns=\"8\"><image source=\"terrain.png\" width=\"128\" height=\"160\"/></tileset>\n" +
           layers + "<objectgroup name=\"Objects\">\n" + objects + "</objectgroup>\n</map>\n";
}

inline std::string layer(const std::string& name, const std::string& csv) {
    return "<layer name=\"" + name + "\" width=\"4\" height=\"3\"><data encoding=\"csv\">\n" + csv +
           "\n</data></layer>\n";
}

// 4x3 cells of 16 pixels; the player sits in the top-left cell, the doors far apart.
inline std::string mapText(const std::string& imageDir) {
    using LS = LevelSchema;
    std::string objects = object(LS::kPlayerName, LS::kPlayer, 0, 0, properties(LS::kPlayer, imageDir));
    objects += object(LS::kCameraName, LS::kCamera, 0, 0,
                      properties(LS::kCamera, imageDir, {{LS::kOffsetX, "0"}, {LS::kOffsetY, "0"}}));
    objects += object(LS::kFormulaName, LS::kFormula, 48, 32, properties(LS::kFormula, imageDir));
    for (int i = 1; i <= LS::kDogCount; ++i) {
        const char* type = i % 2 ? LS::kOutsideDog : LS::kInsideDog;
        objects +=
            object(LS::dogName(i), type, 16, 16, properties(type, imageDir, {{LS::kPatrolDistanceX, "40"}}));
    }
    for (int i = 1; i <= LS::kEggCount; ++i) {
        objects +=
            object(LS::eggName(i), LS::kEgg, 32, 0, properties(LS::kEgg, imageDir, {{LS::kMass, "0.5"}}));
    }
    for (const char* type : {LS::kGoal, LS::kInsideWall, LS::kOutsideWall}) {
        objects += object("", type, 32, 32);
    }
    objects += object("door", LS::kEntrance, 0, 32);
    objects += object("", LS::kExit, 48, 0);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"4\" "
           "height=\"3\" "
           "tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n"
           "<tileset firstgid=\"1\" name=\"tiles\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"32\" "
           "columns=\"8\"><image source=\"tiles.png\" width=\"128\" height=\"64\"/></tileset>\n" +
           layer("inside", "1,2,3,4,\n5,6,7,8,\n9,10,11,12") +
           layer("inside2", "0,0,0,0,\n0,20,0,0,\n0,0,0,0") +
           layer("outside", "32,31,30,29,\n28,27,26,25,\n0,0,0,0") +
           layer("outside2", "0,0,0,0,\n0,0,0,0,\n0,0,0,17") + "<objectgroup name=\"Objects\">\n" + objects +
           "</objectgroup>\n</map>\n";
}

// A level as Tiled saves objects that were only given a type: no properties of their own.
inline std::string withTypesOnly(std::string text) {
    const std::string end = "</properties>";
    for (auto at = text.find("<properties>"); at != std::string::npos; at = text.find("<properties>", at)) {
        text.erase(at, text.find(end, at) + end.size() - at);
    }
    return text;
}

} // namespace testlevel
