#pragma once

#include "CharGrid.hpp"

#include <optional>
#include <string>
#include <vector>

// The hand-written level: two text-art grids (the grounds and the building's interior)
// and the list of placed actors. See level/README.md for the characters.
class LevelSource {
public:
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 64;

    // One line of objects.txt: "type name x y" and, for dogs, "axis distance".
    struct Placement {
        std::string type;
        std::string name;
        int x = 0;
        int y = 0;
        std::string patrolAxis;
        float patrolDistance = 0.0f;
        int line = 0;
    };

    // Reads outside.txt, inside.txt and objects.txt from `directory`; reports the first
    // problem on sf::err() with file and line and returns nothing.
    static std::optional<LevelSource> load(const std::string& directory);

    const CharGrid& outside() const { return outsideArt; }
    const CharGrid& inside() const { return insideArt; }
    const std::vector<Placement>& placements() const { return actors; }
    const std::string& objectsPath() const { return objectsFile; }

private:
    LevelSource(CharGrid outside, CharGrid inside);
    static bool readPlacements(const std::string& path, std::vector<Placement>& out);

    CharGrid outsideArt;
    CharGrid insideArt;
    std::vector<Placement> actors;
    std::string objectsFile;
};
