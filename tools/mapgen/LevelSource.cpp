#include "LevelSource.hpp"

#include "common/FileCheck.hpp"
#include "map/LevelSchema.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
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
    auto outside = CharGrid::load(directory + "/outside.txt");
    auto inside = outside ? CharGrid::load(directory + "/inside.txt", outside->width(), outside->height())
                          : std::nullopt;
    if (!outside || !inside) {
        return std::nullopt;
    }
    LevelSource level(*outside, *inside);
    level.objectsFile = directory + "/objects.txt";
    if (!level.readPlacements(level.objectsFile)) {
        return std::nullopt;
    }
    return level;
}

bool LevelSource::readMapRule(std::istream& fields, const std::string& path, int lineNumber) {
    std::string property;
    std::string value;
    fields >> property;
    const auto& known = LevelSchema::mapProperties();
    const auto rule = std::find_if(known.begin(), known.end(), [&](const auto& each) {
        return each.name == property && each.name != LevelSchema::kLevelName;
    });
    if (rule != known.end() && rule->kind == LevelSchema::Kind::Text) {
        // Text runs to the end of the line: an intro is a sentence or two.
        std::getline(fields >> std::ws, value);
        value.erase(value.find_last_not_of(" \t\r") + 1);
    } else {
        fields >> value;
    }
    if (value.empty() || rule == known.end()) {
        sf::err() << path << ":" << lineNumber << ": expected \"map property value\" with a map property "
                  << "of the game, such as " << LevelSchema::kWallsBlockSight << std::endl;
        return false;
    }
    rules.emplace_back(property, value);
    return true;
}

bool LevelSource::readPlacements(const std::string& path) {
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
        if (p.type == "level") {
            std::getline(fields >> std::ws, name);
            continue;
        }
        if (p.type == "intro") {
            std::getline(fields >> std::ws, intro);
            continue;
        }
        if (p.type == "kennel") {
            kennelled = true;
            continue;
        }
        if (p.type == "map") {
            if (!readMapRule(fields, path, lineNumber)) {
                return false;
            }
            continue;
        }
        if (!readActor(fields, path, p)) {
            return false;
        }
        actors.push_back(p);
    }
    return true;
}

// The rest of an actor's line after its type: name, place, and what its type adds.
bool LevelSource::readActor(std::istream& fields, const std::string& path, Placement& p) {
    const std::string where = path + ":" + std::to_string(p.line);
    if (!(fields >> p.name >> p.x >> p.y)) {
        sf::err() << where << ": expected \"type name x y\"" << std::endl;
        return false;
    }
    if (p.type == LevelSchema::kHint) {
        return readHint(fields, where, p);
    }
    const bool dog = LevelSchema::isDog(p.type);
    if (dog && !(fields >> p.patrolAxis >> p.patrolDistance)) {
        sf::err() << where << ": a dog needs \"horizontal|vertical distance\"" << std::endl;
        return false;
    }
    if (dog && p.patrolAxis != "horizontal" && p.patrolAxis != "vertical") {
        sf::err() << where << ": patrol axis must be horizontal or vertical" << std::endl;
        return false;
    }
    return readTuning(fields, where, p);
}

// The rest of a hint's line: its size and its words.
bool LevelSource::readHint(std::istream& fields, const std::string& where, Placement& placement) {
    if (!(fields >> placement.width >> placement.height) || placement.width <= 0 || placement.height <= 0) {
        sf::err() << where << ": a hint needs \"width height words\" after its place" << std::endl;
        return false;
    }
    std::getline(fields >> std::ws, placement.text);
    while (!placement.text.empty() && placement.text.back() == ' ') {
        placement.text.pop_back();
    }
    if (placement.text.empty()) {
        sf::err() << where << ": a hint needs words after its size" << std::endl;
        return false;
    }
    return true;
}

// The rest of a line: "property=value" pairs naming optional properties of the placement's type.
bool LevelSource::readTuning(std::istream& fields, const std::string& where, Placement& placement) {
    const LevelSchema::ObjectType* type = LevelSchema::find(placement.type);
    std::string extra;
    while (fields >> extra) {
        const auto equals = extra.find('=');
        const std::string key = extra.substr(0, equals);
        if (equals == std::string::npos || !type || !type->optional(key)) {
            sf::err() << where << ": unexpected \"" << extra << "\"" << std::endl;
            return false;
        }
        placement.tuning.emplace_back(key, extra.substr(equals + 1));
    }
    return true;
}
