#include "map/LevelFile.hpp"

#include "i18n/Translator.hpp"
#include "map/LevelSchema.hpp"
#include "map/MapChecker.hpp"
#include "map/TmxReader.hpp"

#include <SFML/System/Err.hpp>
#include <utility>

LevelFile LevelFile::read(const std::string& path, const std::string& assetPath) {
    return read(path, assetPath, sf::err(), {});
}

LevelFile LevelFile::read(const std::string& path, const std::string& assetPath, std::ostream& errors,
                          MapChecker::PictureSizer decode) {
    LevelFile level;
    level.map = readTileMapFile(path, errors);
    if (level.map) {
        // Played as Tiled shows it: what an object leaves to its type comes from the type.
        LevelSchema::fillInTypeProperties(*level.map);
        level.problems = MapChecker(assetPath, std::move(decode)).check(*level.map);
    }
    return level;
}

bool LevelFile::isPlayable(const std::string& path, const std::string& assetPath) {
    const LevelFile level = read(path, assetPath);
    if (level.playable()) {
        return true;
    }
    if (level.map) {
        MapChecker::report(level.problems, path, sf::err());
    }
    explainUnplayable(path);
    return false;
}

void LevelFile::explainUnplayable(const std::string& path) {
    sf::err() << path << ": " << tr("the game cannot play this map") << std::endl;
}

bool LevelFile::playable() const {
    return map && !MapChecker::hasErrors(problems);
}
