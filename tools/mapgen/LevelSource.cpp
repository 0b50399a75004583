#include "LevelSource.hpp"

#include "assets/FileCheck.hpp"
#include "map/LevelSchema.hpp"

#include <SFML/System/Err.hpp>
#include <fstream>
#include <sstream>
#include <utility>

namespace {
// Far above any list of placements a level holds.
constexpr std::uintmax_t kLargestSourceFile = 1u << 20;
} // namespace

LevelSource::LevelSource(CharGrid outside, CharGrid inside)
    : outsideArt(std::move(outside)), insideArt(std::move(inside)) {}

std::optional<LevelSource> LevelSource::load(const std::string& directory) {
    auto outside = CharGrid::load(directory + "/outside.txt", kWidth, kHeight);
    auto inside = CharGrid::load(directory + "/inside.txt", kWidth, kHeight);
    if (!outside || !inside) {
        return std::nullopt;
    }
    LevelSource level(*outside, *inside);
    level.objectsFile = directory + "/objects.txt";
    if (!readPlacements(level.objectsFile, level.actors)) {
        return std::nullopt;
    }
    return level;
}

bool LevelSource::readPlacements(const std::string& path, std::vector<Placement>& out) {
    if (!FileCheck::mayRead(path, kLargestSourceFile)) {
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        sf::err() << path << ": cannot open the file" << std::endl;
        return false;
    }
    std::string text;
    int lineNumber = 0;
    while (std::getline(in, text)) {
        ++lineNumber;
        const auto comment = text.find('#');
        if (comment != std::string::npos) {
            text.erase(comment);
        }
        std::istringstream fields(text);
        Placement p;
        p.line = lineNumber;
        if (!(fields >> p.type)) {
            continue; // blank or comment line
        }
        if (!(fields >> p.name >> p.x >> p.y)) {
            sf::err() << path << ":" << lineNumber << ": expected \"type name x y\"" << std::endl;
            return false;
        }
        const bool dog = LevelSchema::isDog(p.type);
        if (dog && !(fields >> p.patrolAxis >> p.patrolDistance)) {
            sf::err() << path << ":" << lineNumber << ": a dog needs \"horizontal|vertical distance\""
                      << std::endl;
            return false;
        }
        if (dog && p.patrolAxis != "horizontal" && p.patrolAxis != "vertical") {
            sf::err() << path << ":" << lineNumber << ": patrol axis must be horizontal or vertical"
                      << std::endl;
            return false;
        }
        std::string extra;
        if (fields >> extra) {
            sf::err() << path << ":" << lineNumber << ": unexpected \"" << extra << "\"" << std::endl;
            return false;
        }
        out.push_back(p);
    }
    return true;
}
