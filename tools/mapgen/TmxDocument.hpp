#pragma once

#include "map/LevelSchema.hpp"

#include <ostream>
#include <string>
#include <vector>

// The level as Tiled stores it: embedded tilesets, CSV tile layers and one object group.
// Only what the game and Tiled 1.8 need is modelled.
class TmxDocument {
public:
    struct TilesetEntry {
        int firstGid = 1;
        std::string name;
        std::string imageFile;
        unsigned columns = 1;
        unsigned tileCount = 1;
        unsigned imageWidth = 0;
        unsigned imageHeight = 0;
    };

    struct Layer {
        std::string name;
        std::vector<int> gids; // row-major, 0 = empty cell
    };

    struct Property {
        std::string name;
        std::string type; // "float", "string" or "bool"
        std::string value;
    };

    struct Object {
        std::string name;
        std::string type;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool point = false;
        std::vector<Property> properties;
    };

    TmxDocument(int width, int height, int tileSize);

    void addTileset(const TilesetEntry& tileset) { tilesets.push_back(tileset); }
    void addLayer(const Layer& layer) { layers.push_back(layer); }
    void addObject(const Object& object) { objects.push_back(object); }
    void setObjectGroupName(const std::string& name) { groupName = name; }
    // A custom property of the map itself, such as its "name".
    void addMapProperty(const Property& property) { mapProperties.push_back(property); }

    const std::vector<Object>& getObjects() const { return objects; }

    // Writes the map; prints one line naming the file to sf::err() and returns false on failure.
    bool save(const std::string& path) const;

private:
    std::string toXml() const;
    void writeTileset(std::ostream& xml, const TilesetEntry& tileset) const;
    void writeLayer(std::ostream& xml, int id, const Layer& layer) const;
    static void writeObject(std::ostream& xml, int id, const Object& object);
    static void writeProperties(std::ostream& xml, const std::vector<Property>& properties,
                                const std::string& indent);

    int mapWidth;
    int mapHeight;
    int tileSize;
    std::string groupName = LevelSchema::kObjectGroup;
    std::vector<TilesetEntry> tilesets;
    std::vector<Layer> layers;
    std::vector<Object> objects;
    std::vector<Property> mapProperties;
};
