#pragma once

#include "TileSheet.hpp"

// Paints the outdoor tileset: grass, paths, water, fences, trees, the building as seen
// from outside and the goal pad. Tiles that join their neighbours (paths, water, fences,
// the front door) come in one variant per neighbour mask: 1 north, 2 east, 4 south, 8 west.
class TerrainPainter {
public:
    static TileSheet paint();
};
