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
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 64;

    // One line of objects.txt: "type name x y" and, for dogs, "axis distance" and any of the dog's
    // optional properties as "property=value".
    struct Placement {
        std::string type;
        std::string name;
        int x = 0;
        int y = 0;
        std::string patrolAxis;
        float patrolDistance = 0.0f;
        std::vector<std::pair<std::string, std::string>> tuning;
        int line = 0;
    };

    // Reads outside.txt, inside.txt and objects.txt from `directory`; reports the first
    // problem on sf::err() with file and line and returns nothing.
    static std::optional<LevelSource> load(const std::string& directory);

    const CharGrid& outside() const { return outsideArt; }
    const CharGrid& inside() const { return insideArt; }
    const std::vector<Placement>& placements() const { return actors; }
    const std::string& objectsPath() const { return objectsFile; }
    // The name players see, from the line "level Name of the level"; empty when there is none.
    const std::string& levelName() const { return name; }
    // The lines "map property value": the map's own properties of the game's rules, in file order.
    const std::vector<std::pair<std::string, std::string>>& mapProperties() const { return rules; }

private:
    LevelSource(CharGrid outside, CharGrid inside);
    bool readPlacements(const std::string& path);
    // One "map property value" line: a map property of the game and its value.
    bool readMapRule(std::istream& fields, const std::string& path, int lineNumber);
    static bool readTuning(std::istream& fields, const std::string& where, Placement& placement);

    CharGrid outsideArt;
    CharGrid insideArt;
    std::vector<Placement> actors;
    std::string objectsFile;
    std::string name;
    std::vector<std::pair<std::string, std::string>> rules;
};
