#pragma once

#include <string>
#include <vector>

// Plain records of a Tiled map as the reader finds it in the file. They carry the attribute values without
// interpreting them; the map loader and the map checker give them meaning. Values are exactly as written
// (numbers truncated towards zero like atoi), so a record can be compared with what Tiled shows. Each record
// remembers the line of its element in the file, so a problem with it can be pointed at; 0 where there is
// no such line (a record made in code, or a property the map leaves to its object's type).

struct ObjectProperty {
    std::string name;
    std::string value;
    int line = 0;
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
    int line = 0;
};

struct ObjectGroup {
    std::string name;
    bool visible = true;
    std::vector<MapObject> objects;
    int line = 0;
};

struct TileLayer {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<int> tiles; // row-major global tile ids, 0 = empty cell
    int line = 0;
};

struct Tileset {
    int firstGid = 0;
    std::string name;
    int tileWidth = 0;
    int tileHeight = 0;
    std::string imageSource; // relative to the asset folder
    int line = 0;
};

struct TileMap {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<Tileset> tilesets;
    std::vector<TileLayer> layers;
    std::vector<ObjectGroup> objectGroups;
    std::vector<ObjectProperty> properties; // the map's own, such as its "name"

    // The value of the map's own property `key`, or "" when the map has none of that name.
    std::string property(const std::string& key) const {
        for (const ObjectProperty& entry : properties) {
            if (entry.name == key) {
                return entry.value;
            }
        }
        return "";
    }
};
