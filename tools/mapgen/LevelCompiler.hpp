#pragma once

#include "LevelSource.hpp"
#include "TileSheet.hpp"
#include "TmxDocument.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <string>
#include <vector>

// Turns the text-art level into the Tiled map: picks a tile for every cell of the four tile
// layers, merges walls into colliders, derives the door zones and gives every actor the
// properties the game reads. Checks that walls stay clear of zones, dogs' beats and eggs.
class LevelCompiler {
public:
    static constexpr int kTile = 16;

    LevelCompiler(const LevelSource& level, const TileSheet& terrain, const TileSheet& interior);

    // The map, or nothing when the level has a problem (each one printed on sf::err()).
    std::optional<TmxDocument> compile();

private:
    struct Door {
        sf::IntRect pixels;
        sf::Vector2i outward; // unit step from the inside of the building to the outside
    };

    bool isBuilding(int x, int y) const;
    bool isOuterWall(int x, int y) const;
    char floorUnder(int x, int y) const;
    int terrainGid(const std::string& tile) const;
    int interiorGid(const std::string& tile) const;

    void checkArt();
    TmxDocument::Layer insideLayer() const;
    TmxDocument::Layer insideOverlay() const;
    TmxDocument::Layer outsideLayer() const;
    TmxDocument::Layer outsideOverlay() const;
    int buildingTile(int x, int y) const;

    std::optional<Door> findDoor(char mark);
    std::vector<sf::IntRect> mergedSolids(bool inside) const;
    void addActors(TmxDocument& map);
    void addKennel(TmxDocument& map) const;
    const LevelSource::Placement* checkNames();
    static TmxDocument::Object actor(const LevelSource::Placement& placement, int size);
    static TmxDocument::Object dog(const LevelSource::Placement& placement);
    void addZonesAndWalls(TmxDocument& map, const Door& front, const Door& back);
    void checkClearances(const Door& front, const Door& back);

    void problem(const std::string& where, const std::string& what);

    const LevelSource& level;
    const TileSheet& terrain;
    const TileSheet& interior;
    int interiorFirstGid;
    std::vector<sf::IntRect> insideWalls;
    std::vector<sf::IntRect> outsideWalls;
    sf::IntRect footprint; // the building's bounding box, in cells
    sf::IntRect goal;
    bool failed = false;
};
