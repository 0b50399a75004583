#pragma once

#include "TileSheet.hpp"

// Paints the indoor tileset: floors, walls, carpets (one variant per neighbour mask:
// 1 north, 2 east, 4 south, 8 west), doorways and furniture on transparent ground.
class InteriorPainter {
public:
    static TileSheet paint();
};
