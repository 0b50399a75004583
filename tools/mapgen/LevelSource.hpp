#pragma once

#include "CharGrid.hpp"

#include <istream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The hand-written level: two text-art grids (the grounds and the building's interior)
// and the list of placed actors. See level/README.md for the characters.
class LevelSource {
public:
    // One line of objects.txt: "type name x y" and, for dogs, "axis distance" and any of the dog's
    // optional properties as "property=value"; for a hint "hint name x y width height words".
    struct Placement {
        std::string type;
        std::string name;
        int x = 0;
        int y = 0;
        std::string patrolAxis;
        float patrolDistance = 0.0f;
        std::vector<std::pair<std::string, std::string>> tuning;
        int width = 0;
        int height = 0;
        std::string text;
        int line = 0;
    };

    // Reads outside.txt, inside.txt and objects.txt from `directory`; reports the first
    // problem on sf::err() with file and line and returns nothing. The level is as large as outside.txt;
    // inside.txt must have the same size.
    static std::optional<LevelSource> load(const std::string& directory);

    int width() const { return outsideArt.width(); }
    int height() const { return outsideArt.height(); }
    const CharGrid& outside() const { return outsideArt; }
    const CharGrid& inside() const { return insideArt; }
    const std::vector<Placement>& placements() const { return actors; }
    const std::string& objectsPath() const { return objectsFile; }
    // The name players see, from the line "level Name of the level"; empty when there is none.
    const std::string& levelName() const { return name; }
    // What the level is about, from the line "intro Words"; empty when there is none.
    const std::string& levelIntro() const { return intro; }
    // Whether the line "kennel" asks for the dogs and eggs the level does not place to wait off the map.
    bool kennel() const { return kennelled; }
    // The lines "map property value": the map's own properties of the game's rules, in file order.
    const std::vector<std::pair<std::string, std::string>>& mapProperties() const { return rules; }

private:
    LevelSource(CharGrid outside, CharGrid inside);
    bool readPlacements(const std::string& path);
    // One "map property value" line: a map property of the game and its value.
    bool readMapRule(std::istream& fields, const std::string& path, int lineNumber);
    static bool readActor(std::istream& fields, const std::string& path, Placement& placement);
    static bool readHint(std::istream& fields, const std::string& where, Placement& placement);
    static bool readTuning(std::istream& fields, const std::string& where, Placement& placement);

    CharGrid outsideArt;
    CharGrid insideArt;
    std::vector<Placement> actors;
    std::string objectsFile;
    std::string name;
    std::string intro;
    bool kennelled = false;
    std::vector<std::pair<std::string, std::string>> rules;
};
