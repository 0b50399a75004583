#pragma once

// Which sides of a cell continue into a neighbour of the same kind: 1 north, 2 east,
// 4 south, 8 west. Painters use it to draw edges only where a path, carpet or fence ends.
class NeighbourMask {
public:
    static constexpr int kNorth = 1;
    static constexpr int kEast = 2;
    static constexpr int kSouth = 4;
    static constexpr int kWest = 8;
    static constexpr int kCount = 16;

    // The mask of cell (x, y): `joins(nx, ny)` says whether the neighbour at (nx, ny) continues it.
    template <typename Joins> static int of(int x, int y, const Joins& joins) {
        return (joins(x, y - 1) ? kNorth : 0) | (joins(x + 1, y) ? kEast : 0) |
               (joins(x, y + 1) ? kSouth : 0) | (joins(x - 1, y) ? kWest : 0);
    }

    // Distance in pixels from (x, y) to the nearest side that is NOT connected in `mask`;
    // a large number when every side is connected.
    static int distanceToOpenSide(int x, int y, int mask);
};
