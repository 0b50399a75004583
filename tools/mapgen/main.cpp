#include "InteriorPainter.hpp"
#include "LevelCompiler.hpp"
#include "LevelSource.hpp"
#include "TerrainPainter.hpp"

#include <SFML/System/Err.hpp>
#include <iostream>
#include <string>

// pellowick-mapgen <levelSourceDir> <outputAssetsDir> [mapFile]
// Paints terrain.png and interior.png and compiles the level source into mapFile (map.tmx unless given).
int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        sf::err() << "usage: pellowick-mapgen <levelSourceDir> <outputAssetsDir> [mapFile]" << std::endl;
        return 2;
    }
    const std::string sourceDir = argv[1];
    const std::string outputDir = argv[2];
    const std::string mapFile = argc == 4 ? argv[3] : "map.tmx";

    const TileSheet terrain = TerrainPainter::paint();
    const TileSheet interior = InteriorPainter::paint();
    const auto level = LevelSource::load(sourceDir);
    if (!level) {
        return 1;
    }
    LevelCompiler compiler(*level, terrain, interior);
    const auto map = compiler.compile();
    if (!map) {
        return 1;
    }
    for (const TileSheet* tileset : {&terrain, &interior}) {
        const std::string path = outputDir + "/" + tileset->imageFile();
        if (!tileset->render().saveToFile(path)) {
            sf::err() << path << ": cannot write the tileset picture" << std::endl;
            return 1;
        }
    }
    if (!map->save(outputDir + "/" + mapFile)) {
        return 1;
    }
    std::cout << "wrote " << outputDir << "/" << mapFile << " with " << map->getObjects().size() << " objects"
              << std::endl;
    return 0;
}
