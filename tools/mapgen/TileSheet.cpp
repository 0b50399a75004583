#include "TileSheet.hpp"

#include <stdexcept>
#include <utility>

TileSheet::TileSheet(std::string name, std::string imageFile, unsigned columns)
    : tilesetName(std::move(name)), fileName(std::move(imageFile)), columnCount(columns) {}

void TileSheet::add(const std::string& tileName, const Painter& painter) {
    PixelCanvas canvas;
    painter(canvas);
    idsByName[tileName] = static_cast<int>(tiles.size());
    tiles.push_back(canvas);
}

int TileSheet::localId(const std::string& tileName) const {
    const auto found = idsByName.find(tileName);
    if (found == idsByName.end()) {
        throw std::out_of_range("no tile named " + tileName + " in tileset " + tilesetName);
    }
    return found->second;
}

unsigned TileSheet::rows() const {
    const auto count = static_cast<unsigned>(tiles.size());
    return count == 0 ? 1 : (count + columnCount - 1) / columnCount;
}

sf::Image TileSheet::render() const {
    sf::Image sheet;
    sheet.create(columnCount * PixelCanvas::kSize, rows() * PixelCanvas::kSize, sf::Color::Transparent);
    for (unsigned i = 0; i < tiles.size(); ++i) {
        tiles[i].copyTo(sheet, (i % columnCount) * PixelCanvas::kSize,
                        (i / columnCount) * PixelCanvas::kSize);
    }
    return sheet;
}
