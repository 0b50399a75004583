#pragma once

#include "PixelCanvas.hpp"

#include <SFML/Graphics/Image.hpp>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A named catalogue of painted tiles that becomes one tileset picture. Tiles are looked up
// by name; their position in the picture is the order in which they were added.
class TileSheet {
public:
    using Painter = std::function<void(PixelCanvas&)>;

    TileSheet(std::string name, std::string imageFile, unsigned columns);

    void add(const std::string& tileName, const Painter& painter);
    // Index of the tile inside this tileset; throws std::out_of_range for an unknown name.
    int localId(const std::string& tileName) const;

    const std::string& name() const { return tilesetName; }
    const std::string& imageFile() const { return fileName; }
    unsigned columns() const { return columnCount; }
    unsigned rows() const;
    unsigned tileCount() const { return columns() * rows(); }
    // The whole sheet, unused cells left transparent.
    sf::Image render() const;

private:
    std::string tilesetName;
    std::string fileName;
    unsigned columnCount;
    std::vector<PixelCanvas> tiles;
    std::map<std::string, int> idsByName;
};
