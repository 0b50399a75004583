#pragma once

#include <string>
#include <vector>

// Plain records of a Tiled map as the reader finds it in the file. They carry the attribute values without
// interpreting them; the map loader and the map checker give them meaning. Values are exactly as written
// (numbers truncated towards zero like atoi), so a record can be compared with what Tiled shows.

struct ObjectProperty {
    std::string name;
    std::string value;
};

struct MapObject {
    std::string name;
    std::string type;
    int gid = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<ObjectProperty> properties; // in file order: the game reads them by position
};

struct ObjectGroup {
    std::string name;
    bool visible = true;
    std::vector<MapObject> objects;
};

struct TileLayer {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<int> tiles; // row-major global tile ids, 0 = empty cell
};

struct Tileset {
    int firstGid = 0;
    std::string name;
    int tileWidth = 0;
    int tileHeight = 0;
    std::string imageSource; // relative to the asset folder
};

struct TileMap {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<Tileset> tilesets;
    std::vector<TileLayer> layers;
    std::vector<ObjectGroup> objectGroups;
};
