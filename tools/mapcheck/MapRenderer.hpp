#pragma once

#include "map/TileMap.hpp"

#include <string>

// Which part of the level to draw: the state right after loading (everything), or the world as seen inside
// or outside the building.
enum class RenderView { All, Inside, Outside };

struct RenderOptions {
    RenderView view = RenderView::All;
    std::string onlyLayer; // when set: just the tile layers of this name, no objects
    bool objects = true;
};

// Draws a level the way the game stacks it (tile layers "inside", "inside2", "outside", "outside2", then
// the sprites of the "Objects" group) into a picture of the full map size. Needs a graphics context, so a
// display (Xvfb will do). The picture appears whole or not at all.
class MapRenderer {
public:
    explicit MapRenderer(const TileMap& map, std::string assetPath = "Assets/");

    // Writes the picture to `pngPath`; on failure writes one line to sf::err() and returns false.
    bool renderToFile(const RenderOptions& options, const std::string& pngPath) const;

private:
    const TileMap& map;
    std::string assetPath;
};
